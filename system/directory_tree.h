// The emptying of a directory tree, used by the shortcuts (the product's Start-menu folder) and
// by the removal of the previous product generation. Declaration only; the code is Win32
// (directory_tree_win.cpp).
#pragma once

// What becomes of the tree's own directory once it is empty.
enum TreeRoot {
  kKeepTreeRoot = 0,
  kRemoveTreeRoot = 1,
};

// Deletes every file and subdirectory below path (a full directory path without trailing '\'),
// and path itself with kRemoveTreeRoot. Subdirectories whose names begin with '.' are kept
// whole; read-only files stay, and with them the directories above them. A link to a directory
// (junction or symbolic link) is removed as a link and never entered. The current directory is
// the same on return as on entry.
void EmptyDirectoryTree(const char* path, TreeRoot root);
