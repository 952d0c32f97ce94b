// The file operations the entry extractor needs, one platform at a time: file_ops_win.cpp calls
// Win32, file_ops_posix.cpp calls POSIX (for the host tool, the tests and the fuzzer). Paths are
// '\'-separated byte strings; the POSIX layer turns '\' into '/' when it calls the system.
//
// FileOpsTest is a seam for tests: it can cap the bytes that writes may still put on disk (so a
// write comes up short, as on a full disk) and observe every write piece, lock and repaint. In the
// program it stays all zero and costs one test per call.
#pragma once

#include <cstdint>

// An open output file: a HANDLE on Windows, a descriptor on POSIX.
typedef void* FileHandle;

// Tries to make path the current directory; true when it now is.
bool SetCurrentDirectoryTo(const char* path);

// Creates the directory path with default security. The result is not examined by the extractor.
bool CreateDirectoryAt(const char* path);

// True when path exists as a link of any kind (symbolic link, junction, other reparse point),
// dangling or not. The extractor never enters or writes through one.
bool IsLinkAt(const char* path);

// Creates path for writing, without sharing, replacing and truncating an existing file, with normal
// attributes; one that cannot be written (read-only, or held open) makes it fail. The POSIX form
// also refuses a link at path and a file with a second name (a hard link), which IsLinkAt does
// not report. Returns true and the open file in *file, or false when the file cannot be created.
bool CreateOutputFile(const char* path, FileHandle* file);

// The file's current position (low 32 bits).
uint32_t GetFilePosition(FileHandle file);

// Locks and unlocks length bytes from position. Their results are not examined.
void LockFileRange(FileHandle file, uint32_t position, uint32_t length);
void UnlockFileRange(FileHandle file, uint32_t position, uint32_t length);

// Writes length bytes at the current position. Returns the number of bytes the system reports
// written; 0 when the write failed.
uint32_t WriteFilePiece(FileHandle file, const uint8_t* bytes, uint32_t length);

void CloseOutputFile(FileHandle file);
void DeleteOutputFile(const char* path);

// Repaints the progress control synchronously (invalidate the whole client area with erase, then
// update); does nothing where there is no progress window.
void RepaintProgress();

// Test seam; see the top of this file.
struct FileOpsHooks {
  int WriteLimitOn;     // nonzero: writes may put at most WriteLimit more bytes on disk
  uint32_t WriteLimit;  // bytes left; a piece beyond it is cut short
  void (*Wrote)(uint32_t requested, uint32_t written);
  void (*Locked)(uint32_t position, uint32_t length);
  void (*Unlocked)(uint32_t position, uint32_t length);
  void (*Repainted)();
};

extern FileOpsHooks FileOpsTest;

// Applies the test write limit to a piece of length bytes: returns how many of them may be written
// and uses them up. Called by the platform layers only.
uint32_t AllowedWriteLength(uint32_t length);
