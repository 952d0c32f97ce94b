// The extractor's file operations on Win32: the kernel's file and directory calls, and the
// synchronous repaint of the progress control through the user interface's invalidate-and-update.
#define WIN32_LEAN_AND_MEAN
#define STRICT
#include <windows.h>

#include "archive/file_ops.h"
#include "setup/setup_state.h"

namespace {

HANDLE Win32Handle(FileHandle file) { return static_cast<HANDLE>(file); }

}  // namespace

bool SetCurrentDirectoryTo(const char* path) { return SetCurrentDirectoryA(path) != FALSE; }

bool CreateDirectoryAt(const char* path) { return CreateDirectoryA(path, NULL) != FALSE; }

bool IsLinkAt(const char* path) {
  DWORD attributes = GetFileAttributesA(path);
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT);
}

bool CreateOutputFile(const char* path, FileHandle* file) {
  HANDLE handle =
      CreateFileA(path, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
  if (handle == INVALID_HANDLE_VALUE) return false;
  *file = handle;
  return true;
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

void DeleteOutputFile(const char* path) { (void)DeleteFileA(path); }  // best effort

void RepaintProgress() {
  if (FileOpsTest.Repainted) FileOpsTest.Repainted();
  HWND progress = static_cast<HWND>(Setup.ProgressWindow);
  if (progress == NULL) return;
  InvalidateRect(progress, NULL, TRUE);
  UpdateWindow(progress);
}
