// The extractor's file operations on Win32: the kernel's file and directory calls.
//
// Each folder of an output path is pinned while it is used: opened with
// FILE_FLAG_BACKUP_SEMANTICS (the only way to open a folder) and FILE_FLAG_OPEN_REPARSE_POINT (a
// link is opened as itself, never followed), with FILE_TRAVERSE access and without
// FILE_SHARE_DELETE, from the destination down to the file's own folder, until the file is
// created. Renaming or deleting a folder needs an open for DELETE access, which that sharing
// refuses to every process of every user while the handle is open; FILE_TRAVERSE matters because
// Windows checks sharing only against opens that ask for data, traverse or delete access, not
// against one that asks for attributes alone. So no held folder can be moved away and replaced by
// a link, and the name checked after the open (a directory search, which gives the reparse tag)
// and the full path that creates the file lead through the folders held. Making each folder the
// current directory would pin it too, but one at a time, leaving the folders above it free to be
// swapped. What sharing cannot stop is a writer of an empty folder turning it into a junction in
// place; a folder with anything in it cannot become one.
#define WIN32_LEAN_AND_MEAN
#define STRICT
#include <windows.h>

#include "archive/file_ops.h"
#include "archive/windows_names.h"

namespace {

HANDLE Win32Handle(void* handle) { return static_cast<HANDLE>(handle); }

// What a file or folder is, as a directory search shows it.
enum HeldKind {
  kHeldPlain,         // no reparse point
  kHeldOtherReparse,  // a reparse point that is no link: a deduplicated file, a cloud placeholder
  kHeldLink,          // a link (a name surrogate), or nothing found
};

// Classifies what path names. Asked by name while a handle without delete sharing holds it, with
// every folder above it held too, so that the name still leads to what was opened.
HeldKind ClassifyHeld(const char* path) {
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA(path, &found);
  if (search == INVALID_HANDLE_VALUE) return kHeldLink;
  FindClose(search);
  if (IsNameSurrogate(found.dwFileAttributes, found.dwReserved0)) return kHeldLink;
  return (found.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) ? kHeldOtherReparse : kHeldPlain;
}

// CreateFileA with no security attributes and no template, in one place: the program is small.
__attribute__((noinline)) HANDLE OpenPath(const char* path, DWORD access, DWORD sharing,
                                          DWORD disposition, DWORD flags) {
  return CreateFileA(path, access, sharing, NULL, disposition, flags, NULL);
}

// Opens the folder path to pin it (see the top of this file) and adds it to the chain; with
// FILE_FLAG_OPEN_REPARSE_POINT in flags, a link is refused. False when it cannot be opened, or is
// a refused link.
bool HoldFolder(FolderChain* chain, const char* path, DWORD flags) {
  HANDLE folder = OpenPath(path, FILE_TRAVERSE, FILE_SHARE_READ | FILE_SHARE_WRITE, OPEN_EXISTING,
                           FILE_FLAG_BACKUP_SEMANTICS | flags);
  if (folder == INVALID_HANDLE_VALUE) return false;
  if (flags != 0 && ClassifyHeld(path) == kHeldLink) {
    CloseHandle(folder);
    return false;
  }
  chain->Held[chain->Count++] = folder;
  return true;
}

}  // namespace

bool OpenDestinationFolder(FolderChain* chain, const char* path) {
  return HoldFolder(chain, path, 0);
}

// Not inlined into the extractor: the program is smaller so.
__attribute__((noinline)) bool EnterFolder(FolderChain* chain, const char* path, uint32_t) {
  (void)CreateDirectoryA(path, NULL);  // fails when it exists; a failure shows as a failed open
  return HoldFolder(chain, path, FILE_FLAG_OPEN_REPARSE_POINT);
}

void CloseFolders(FolderChain* chain) {
  while (chain->Count != 0) (void)CloseHandle(Win32Handle(chain->Held[--chain->Count]));
}

// Opened without truncating, so that nothing is lost before the checks: a link and a file with a
// second name are refused; another reparse point (a cloud placeholder, a deduplicated file) is
// deleted and the file made anew, once.
__attribute__((noinline)) bool CreateOutputFile(const FolderChain&, const char* path, uint32_t,
                                                FileHandle* file) {
  for (int attempt = 0; attempt < 2; ++attempt) {
    HANDLE handle = OpenPath(path, GENERIC_WRITE, 0, OPEN_ALWAYS,
                             FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT);
    if (handle == INVALID_HANDLE_VALUE) return false;
    const HeldKind kind = ClassifyHeld(path);
    BY_HANDLE_FILE_INFORMATION info;
    if (kind == kHeldPlain && GetFileInformationByHandle(handle, &info) &&
        info.nNumberOfLinks == 1 && SetEndOfFile(handle)) {
      *file = handle;
      return true;
    }
    CloseHandle(handle);
    if (kind != kHeldOtherReparse || !DeleteFileA(path)) return false;
  }
  return false;
}

uint32_t GetFilePosition(FileHandle file) {
  return SetFilePointer(Win32Handle(file), 0, NULL, FILE_CURRENT);
}

void LockFileRange(FileHandle file, uint32_t position, uint32_t length) {
  if (FileOpsTest.Locked) FileOpsTest.Locked(position, length);
  (void)LockFile(Win32Handle(file), position, 0, length, 0);  // result deliberately not examined
}

void UnlockFileRange(FileHandle file, uint32_t position, uint32_t length) {
  if (FileOpsTest.Unlocked) FileOpsTest.Unlocked(position, length);
  (void)UnlockFile(Win32Handle(file), position, 0, length, 0);  // result deliberately not examined
}

// The success flag of WriteFile is not examined: a failed write reports 0 bytes written, which the
// caller's comparison catches.
uint32_t WriteFilePiece(FileHandle file, const uint8_t* bytes, uint32_t length) {
  DWORD written = 0;
  DWORD allowed = AllowedWriteLength(length);
  if (allowed != 0) (void)WriteFile(Win32Handle(file), bytes, allowed, &written, NULL);
  if (FileOpsTest.Wrote) FileOpsTest.Wrote(length, written);
  return written;
}

void CloseOutputFile(FileHandle file) { (void)CloseHandle(Win32Handle(file)); }

// The folders above are held, so path still leads into the file's own folder.
void DeleteOutputFile(const FolderChain&, const char* path, uint32_t) {
  (void)DeleteFileA(path);  // best effort
}
