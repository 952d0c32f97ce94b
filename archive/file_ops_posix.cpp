// The extractor's file operations on POSIX systems, for the host tool, the tests and the fuzzer.
// Paths arrive as on Windows, '\'-separated code page 1252 bytes, and are handed to the system as
// UTF-8 with '/' instead, so that an entry named "café" becomes the file the host calls "café".
// There is no progress window here, so the repaint only reports to the test seam.
#include "archive/file_ops.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdint>

#include "archive/code_page_1252.h"
#include "setup/setup_state.h"

namespace {

constexpr int kNativePathSize = 3 * kPathSize;  // UTF-8 takes up to 3 bytes per character

// Copies path into out in UTF-8 with '/' for every '\'. False when path is not shorter than
// kPathSize bytes; nothing then reaches the system.
bool ToPosixPath(const char* path, char (&out)[kNativePathSize]) {
  int length = 0;
  for (int i = 0; i < kPathSize; ++i) {
    if (path[i] == '\0') {
      out[length] = '\0';
      return true;
    }
    if (path[i] == '\\') {
      out[length++] = '/';
    } else {
      length += Cp1252ToUtf8(uint8_t(path[i]), out + length);
    }
  }
  return false;
}

int Descriptor(FileHandle file) { return static_cast<int>(reinterpret_cast<intptr_t>(file)); }

// Sets or clears a write lock on a byte range. A length of 0 would mean "to the end and beyond"
// to fcntl, so it locks nothing.
void SetRangeLock(FileHandle file, uint32_t position, uint32_t length, short type) {
  if (length == 0) return;
  struct flock range = {};
  range.l_type = type;
  range.l_whence = SEEK_SET;
  range.l_start = position;
  range.l_len = length;
  (void)fcntl(Descriptor(file), F_SETLK, &range);  // best effort, as on Windows
}

}  // namespace

bool SetCurrentDirectoryTo(const char* path) {
  char native[kNativePathSize];
  return ToPosixPath(path, native) && chdir(native) == 0;
}

bool CreateDirectoryAt(const char* path) {
  char native[kNativePathSize];
  return ToPosixPath(path, native) && mkdir(native, 0777) == 0;
}

bool IsLinkAt(const char* path) {
  char native[kNativePathSize];
  struct stat info;
  return ToPosixPath(path, native) && lstat(native, &info) == 0 && S_ISLNK(info.st_mode);
}

bool CreateOutputFile(const char* path, FileHandle* file) {
  char native[kNativePathSize];
  if (!ToPosixPath(path, native)) return false;
  // Truncated only once it is known to be a plain file with no other name; not blocking, so
  // that a named pipe is refused rather than waited on.
  int fd = open(native, O_CREAT | O_WRONLY | O_NOFOLLOW | O_NONBLOCK, 0666);
  if (fd < 0) return false;
  struct stat info;
  if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) || info.st_nlink != 1 ||
      ftruncate(fd, 0) != 0) {
    (void)close(fd);
    return false;
  }
  *file = reinterpret_cast<FileHandle>(static_cast<intptr_t>(fd));
  return true;
}

uint32_t GetFilePosition(FileHandle file) {
  off_t position = lseek(Descriptor(file), 0, SEEK_CUR);
  return position < 0 ? 0 : static_cast<uint32_t>(position);
}

void LockFileRange(FileHandle file, uint32_t position, uint32_t length) {
  if (FileOpsTest.Locked) FileOpsTest.Locked(position, length);
  SetRangeLock(file, position, length, F_WRLCK);
}

void UnlockFileRange(FileHandle file, uint32_t position, uint32_t length) {
  if (FileOpsTest.Unlocked) FileOpsTest.Unlocked(position, length);
  SetRangeLock(file, position, length, F_UNLCK);
}

uint32_t WriteFilePiece(FileHandle file, const uint8_t* bytes, uint32_t length) {
  uint32_t allowed = AllowedWriteLength(length);
  ssize_t written = allowed == 0 ? 0 : write(Descriptor(file), bytes, allowed);
  uint32_t reported = written < 0 ? 0 : static_cast<uint32_t>(written);
  if (FileOpsTest.Wrote) FileOpsTest.Wrote(length, reported);
  return reported;
}

void CloseOutputFile(FileHandle file) { (void)close(Descriptor(file)); }

void DeleteOutputFile(const char* path) {
  char native[kNativePathSize];
  if (ToPosixPath(path, native)) (void)unlink(native);  // best effort, like DeleteFileA
}

void RepaintProgress() {
  if (FileOpsTest.Repainted) FileOpsTest.Repainted();
}
