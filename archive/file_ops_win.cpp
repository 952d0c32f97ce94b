// The extractor's file operations on Win32: the kernel's file and directory calls.
//
// Each folder of an output path is pinned while it is used: opened with
// FILE_FLAG_BACKUP_SEMANTICS (the only way to open a folder) and FILE_FLAG_OPEN_REPARSE_POINT (a
// link is opened as itself, so what is checked is what is held), with FILE_TRAVERSE access and
// without FILE_SHARE_DELETE. Renaming or deleting a folder needs an open for DELETE access, which
// that sharing refuses to every process of every user until the handle is closed; FILE_TRAVERSE
// matters because Windows checks sharing only against opens that ask for data, traverse or delete
// access, not against one that asks for attributes alone. With every folder from the destination
// down held so, the full path that creates the file passes through the checked folders only.
// (Making the current directory a folder pins it too, but the check would then be of a name
// looked up again, not of the folder held.)
#define WIN32_LEAN_AND_MEAN
#define STRICT
#include <windows.h>

#include "archive/file_ops.h"
#include "archive/windows_names.h"

namespace {

HANDLE Win32Handle(void* handle) { return static_cast<HANDLE>(handle); }

// The reparse tag of the directory entry at path, or 0 when it cannot be read (which
// IsNameSurrogate takes for a link).
DWORD ReparseTagAt(const char* path) {
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA(path, &found);
  if (search == INVALID_HANDLE_VALUE) return 0;
  FindClose(search);
  return found.dwReserved0;
}

// What an open file or folder is, as its handle shows it.
enum HeldKind {
  kHeldPlain,         // no reparse point
  kHeldOtherReparse,  // a reparse point that is no link: a deduplicated file, a cloud placeholder
  kHeldLink,          // a link (or what cannot be read)
};

// Classifies handle, opened at path with FILE_FLAG_OPEN_REPARSE_POINT and without delete sharing,
// so that path names the object held while its tag is read. *links receives its number of names.
HeldKind ClassifyHeld(HANDLE handle, const char* path, DWORD* links) {
  BY_HANDLE_FILE_INFORMATION info;
  if (!GetFileInformationByHandle(handle, &info)) return kHeldLink;
  *links = info.nNumberOfLinks;
  if ((info.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) == 0) return kHeldPlain;
  return IsNameSurrogate(info.dwFileAttributes, ReparseTagAt(path)) ? kHeldLink : kHeldOtherReparse;
}

// Opens the folder path for pinning (see the top of this file), flags added.
HANDLE PinFolder(const char* path, DWORD flags) {
  return CreateFileA(path, FILE_TRAVERSE, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL, OPEN_EXISTING,
                     FILE_FLAG_BACKUP_SEMANTICS | flags, NULL);
}

bool AddToChain(FolderChain* chain, HANDLE folder) {
  if (folder == INVALID_HANDLE_VALUE) return false;
  chain->Held[chain->Count++] = folder;
  return true;
}

}  // namespace

bool OpenDestinationFolder(FolderChain* chain, const char* path) {
  return AddToChain(chain, PinFolder(path, 0));
}

bool EnterFolder(FolderChain* chain, const char* path, uint32_t) {
  if (chain->Count > kMaxFolderDepth) return false;
  (void)CreateDirectoryA(path, NULL);  // fails when it exists; a failure shows as a failed open
  HANDLE folder = PinFolder(path, FILE_FLAG_OPEN_REPARSE_POINT);
  DWORD links;
  if (folder != INVALID_HANDLE_VALUE && ClassifyHeld(folder, path, &links) == kHeldLink) {
    CloseHandle(folder);
    return false;
  }
  return AddToChain(chain, folder);
}

void CloseFolders(FolderChain* chain) {
  while (chain->Count != 0) (void)CloseHandle(Win32Handle(chain->Held[--chain->Count]));
}

// Opened without truncating, so that nothing is lost before the checks: a link and a file with a
// second name are refused; another reparse point (a cloud placeholder, a deduplicated file) is
// deleted and the file made anew, once.
bool CreateOutputFile(const FolderChain&, const char* path, uint32_t, FileHandle* file) {
  for (int attempt = 0; attempt < 2; ++attempt) {
    HANDLE handle = CreateFileA(path, GENERIC_WRITE, 0, NULL, OPEN_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, NULL);
    if (handle == INVALID_HANDLE_VALUE) return false;
    DWORD links = 0;
    const HeldKind kind = ClassifyHeld(handle, path, &links);
    if (kind == kHeldPlain && links == 1 && SetEndOfFile(handle)) {
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
