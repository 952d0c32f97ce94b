// The emptying of a directory tree, used by the shortcuts (the product's Start-menu folder) and
// by the removal of the previous product generation. Declaration only; the code is Win32
// (directory_tree_win.cpp).
#pragma once

// What becomes of the tree's own directory once it is empty.
enum TreeRoot {
  kKeepTreeRoot = 0,
  kRemoveTreeRoot = 1,
};

// Results of EmptyDirectoryTree.
enum TreeResult : int {
  kTreeWalked = 1,       // path was entered and walked: whatever could be deleted is gone
  kTreeNotEntered = 0,   // path could not be made current (missing, say): nothing deleted
  kTreeRootIsLink = -1,  // path is a link or another reparse point: neither entered nor changed
};

// Deletes every file and subdirectory below path (a full directory path without trailing '\'),
// and path itself with kRemoveTreeRoot. Subdirectories whose names begin with '.' are kept
// whole; read-only files stay, and with them the directories above them. A link to a directory
// (junction or symbolic link) is removed as a link and never entered; a path that is itself a
// link is left alone, since emptying it would empty a folder elsewhere. The current directory is
// the same on return as on entry. Returns a TreeResult.
TreeResult EmptyDirectoryTree(const char* path, TreeRoot root);

// True when path names an existing link or other reparse point (the link itself, not its target).
bool IsReparsePointAt(const char* path);
