// Empties a directory tree through the current directory, entry by entry as the search returns
// them. Win32. Nothing is reported: whatever cannot be deleted stays, and the walk goes on.
#include "system/directory_tree.h"

#include "archive/windows_names.h"
#include "setup/setup_state.h"
#include "system/path_buffer.h"
#include "system/win32_api.h"

static void WalkCurrentDirectory(HANDLE search, WIN32_FIND_DATAA& found);

// A link to a directory elsewhere (junction or directory symbolic link) is a name surrogate:
// entering it would delete files outside the tree. Other reparse points (a cloud placeholder
// folder) are folders of the tree.
static bool IsDirectoryLink(const WIN32_FIND_DATAA& found) {
  return IsNameSurrogate(found.dwFileAttributes, found.dwReserved0);
}

// Empties the subdirectory name of the current directory and removes it. The current directory
// is the same on return. A subdirectory that cannot be entered (or whose full path would not fit
// in a path buffer) is not searched; its removal is still attempted, and fails unless it is empty.
static void RemoveSubdirectory(const char* name) {
  char parent[kPathSize];
  DWORD length = GetCurrentDirectoryA(kPathSize, parent);
  char child[kPathSize];
  bool composed = length > 0 && length < kPathSize && CopyPath(child, kPathSize, parent) &&
                  AppendSeparator(child, kPathSize) && AppendPath(child, kPathSize, name);
  if (composed && SetCurrentDirectoryA(child)) {
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA("*.*", &found);
    if (search != INVALID_HANDLE_VALUE) {
      WalkCurrentDirectory(search, found);
      FindClose(search);
    }
    (void)SetCurrentDirectoryA(parent);  // best effort: the parent was current a moment ago
    (void)RemoveDirectoryA(child);       // best effort: fails while anything survived inside
  } else {
    (void)RemoveDirectoryA(name);
  }
}

// Deletes or empties one entry of the current directory, as the walk rules say: dot-directories
// stay whole, directory links lose only the link, directories are emptied and removed, files are
// deleted by name without changing their attributes (so a read-only file stays).
static void RemoveEntry(const WIN32_FIND_DATAA& found) {
  if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
    (void)DeleteFileA(found.cFileName);  // best effort
  } else if (found.cFileName[0] == '.') {
    return;  // ".", ".." and any other dot-directory are neither entered nor removed
  } else if (IsDirectoryLink(found)) {
    (void)RemoveDirectoryA(found.cFileName);  // removes the link; its target stays untouched
  } else {
    RemoveSubdirectory(found.cFileName);
  }
}

// Walks the search of the current directory from the entry already in found to the last one.
static void WalkCurrentDirectory(HANDLE search, WIN32_FIND_DATAA& found) {
  do {
    RemoveEntry(found);
  } while (FindNextFileA(search, &found));
}

bool IsReparsePointAt(const char* path) {
  DWORD attributes = GetFileAttributesA(path);
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT);
}

TreeResult EmptyDirectoryTree(const char* path, TreeRoot root) {
  if (IsReparsePointAt(path)) return kTreeRootIsLink;  // the root's own check, before entering
  char remembered[kPathSize];
  DWORD length = GetCurrentDirectoryA(kPathSize, remembered);
  bool canRestore = length > 0 && length < kPathSize;
  if (!canRestore || !SetCurrentDirectoryA(path)) return kTreeNotEntered;  // path not removed
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA("*.*", &found);
  if (search != INVALID_HANDLE_VALUE) {
    WalkCurrentDirectory(search, found);
    FindClose(search);
  }
  (void)SetCurrentDirectoryA(remembered);
  // Fails, and path stays, if anything survived.
  if (root == kRemoveTreeRoot) (void)RemoveDirectoryA(path);
  return kTreeWalked;
}
