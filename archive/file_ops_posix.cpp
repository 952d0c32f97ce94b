// The extractor's file operations on POSIX systems, for the host tool, the tests and the fuzzer.
// Paths arrive as on Windows, '\'-separated code page 1252 bytes, and are handed to the system as
// UTF-8 with '/' instead, so that an entry named "café" becomes the file the host calls "café".
//
// Folders are walked with descriptors: each folder is opened relative to the one above it with
// O_NOFOLLOW, and the file relative to its own folder, so a link swapped in for a folder after its
// check is never followed: the names are looked up once, in the folder already held.
#include "archive/file_ops.h"

#include <errno.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdint>

#include "archive/code_page_1252.h"
#include "archive/extract_entry.h"

namespace {

constexpr int kPathLimit = int(kExtractPathLimit);
constexpr int kNativePathSize = 3 * kPathLimit;  // UTF-8 takes up to 3 bytes per character

// Copies path into out in UTF-8 with '/' for every '\'. False when path is not shorter than
// kExtractPathLimit bytes; nothing then reaches the system.
bool ToPosixPath(const char* path, char (&out)[kNativePathSize]) {
  int length = 0;
  for (int i = 0; i < kPathLimit; ++i) {
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

int Descriptor(void* handle) { return static_cast<int>(reinterpret_cast<intptr_t>(handle)); }
void* AsHandle(int fd) { return reinterpret_cast<void*>(static_cast<intptr_t>(fd)); }

int LastFolder(const FolderChain& chain) { return Descriptor(chain.Held[chain.Count - 1]); }

// Opens the folder name inside parent without following a link at name.
int OpenFolderAt(int parent, const char* name) {
  return openat(parent, name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
}

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

bool OpenDestinationFolder(FolderChain* chain, const char* path) {
  char native[kNativePathSize];
  if (chain->Count != 0 || !ToPosixPath(path, native)) return false;
  const int fd = open(native, O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return false;
  chain->Held[chain->Count++] = AsHandle(fd);
  return true;
}

bool EnterFolder(FolderChain* chain, const char* path, uint32_t nameStart) {
  char name[kNativePathSize];
  if (chain->Count == 0 || !ToPosixPath(path + nameStart, name)) return false;
  const int parent = LastFolder(*chain);
  int fd = OpenFolderAt(parent, name);
  if (fd < 0 && errno == ENOENT) {
    (void)mkdirat(parent, name, 0777);  // a failure shows as a failed open
    fd = OpenFolderAt(parent, name);
  }
  if (fd < 0) return false;  // a link at name gives ELOOP or ENOTDIR
  chain->Held[chain->Count++] = AsHandle(fd);
  return true;
}

void CloseFolders(FolderChain* chain) {
  while (chain->Count != 0) (void)close(Descriptor(chain->Held[--chain->Count]));
}

bool CreateOutputFile(const FolderChain& chain, const char* path, uint32_t nameStart,
                      FileHandle* file) {
  char name[kNativePathSize];
  if (chain.Count == 0 || !ToPosixPath(path + nameStart, name)) return false;
  // Truncated only once it is known to be a plain file with no other name; not blocking, so
  // that a named pipe is refused rather than waited on.
  int fd = openat(LastFolder(chain), name, O_CREAT | O_WRONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC,
                  0666);
  if (fd < 0) return false;
  struct stat info;
  if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) || info.st_nlink != 1 ||
      ftruncate(fd, 0) != 0) {
    (void)close(fd);
    return false;
  }
  *file = AsHandle(fd);
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

void DeleteOutputFile(const FolderChain& chain, const char* path, uint32_t nameStart) {
  char name[kNativePathSize];
  if (chain.Count != 0 && ToPosixPath(path + nameStart, name))
    (void)unlinkat(LastFolder(chain), name, 0);  // best effort, like DeleteFileA
}
