// Writing an output file through an exclusively created temporary file. Host only.
//
// mkstemp creates the temporary with O_EXCL under a name nobody chose in advance, so a link planted
// beside the output cannot redirect the write; rename then replaces path itself, never what a link
// at path points to. The file gets the mode an ordinary new file would get (0666 less the umask).
#include "packer/output_file.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>

#include "packer/kpx_error.h"

namespace {

[[noreturn]] void ThrowFor(const std::string& path, const char* what, int error) {
  throw KpxError(path + ": " + what + " (" + std::strerror(error) + ")");
}

constexpr size_t kBufferBytes = 1 << 20;

// Writes bytes[0..size-1] to fd at offset. Returns 0, or the errno of the failure (ENOSPC when
// the system wrote nothing and gave no reason).
int WriteAllAt(int fd, const uint8_t* bytes, size_t size, uint64_t offset) {
  for (size_t done = 0; done < size;) {
    ssize_t written = pwrite(fd, bytes + done, size - done, off_t(offset + done));
    if (written < 0 && errno == EINTR) continue;
    if (written < 0) return errno;
    if (written == 0) return ENOSPC;
    done += size_t(written);
  }
  return 0;
}

namespace fs = std::filesystem;

// path made absolute with its links and "." and ".." resolved as far as it exists.
fs::path Resolved(const fs::path& path) {
  std::error_code error;
  fs::path resolved = fs::weakly_canonical(fs::absolute(path, error), error);
  if (error)
    throw KpxError(path.string() + ": cannot tell where the path leads (" + error.message() + ")");
  return resolved;
}

// Where a write to path lands: its folder as the system resolves it (a link, then "..", as a
// lexical reading would not), then its own name, not followed.
fs::path WrittenPlace(const std::string& path) {
  const fs::path given(path), name = given.filename();
  if (name.empty() || name == "." || name == "..") return Resolved(given);  // a folder
  return Resolved(given.has_parent_path() ? given.parent_path() : ".") / name;
}

// True when path is folder or lies below it; both resolved.
bool IsWithin(const fs::path& path, const fs::path& folder) {
  auto mismatch = std::mismatch(folder.begin(), folder.end(), path.begin(), path.end());
  return mismatch.first == folder.end();
}

mode_t NewFileMode() {
  mode_t mask = umask(0);
  umask(mask);
  return 0666 & ~mask;
}

}  // namespace

AtomicOutput::AtomicOutput(const std::string& path) : path_(path), temporary_(path + ".XXXXXX") {
  fd_ = mkstemp(temporary_.data());
  if (fd_ < 0) ThrowFor(path, "cannot create a temporary file beside it", errno);
  if (fchmod(fd_, NewFileMode()) != 0) Fail(errno);
  buffer_.reserve(kBufferBytes);
}

AtomicOutput::~AtomicOutput() {
  if (fd_ < 0) return;
  (void)close(fd_);  // best effort: the output is abandoned
  (void)unlink(temporary_.c_str());
}

void AtomicOutput::Fail(int error) {
  (void)close(fd_);  // best effort; the failure is what gets reported
  (void)unlink(temporary_.c_str());
  fd_ = -1;
  ThrowFor(path_, "cannot write the file", error);
}

void AtomicOutput::Flush() {
  int error = WriteAllAt(fd_, buffer_.data(), buffer_.size(), size_ - buffer_.size());
  if (error != 0) Fail(error);
  buffer_.clear();
}

void AtomicOutput::Write(const uint8_t* bytes, size_t size) {
  if (buffer_.size() + size > kBufferBytes) Flush();
  size_ += size;
  if (size >= kBufferBytes) {
    int error = WriteAllAt(fd_, bytes, size, size_ - size);
    if (error != 0) Fail(error);
  } else {
    buffer_.insert(buffer_.end(), bytes, bytes + size);
  }
}

void CheckOutputIsNoInput(const std::string& output, const std::vector<std::string>& folders,
                          const std::vector<std::string>& files) {
  const fs::path place = WrittenPlace(output);
  for (const std::string& folder : folders) {
    if (IsWithin(place, Resolved(folder)))
      throw KpxError(output + ": the output would be inside the product folder " + folder +
                     ", among the files it is made from; write it elsewhere");
  }
  for (const std::string& file : files) {
    if (file.empty()) continue;  // an input not given
    // The file's own place and, for a link, what it points to: writing either loses the input.
    if (place == WrittenPlace(file) || place == Resolved(file))
      throw KpxError(output + ": the output would replace the input " + file +
                     "; write it elsewhere");
  }
}

void AtomicOutput::WriteAt(uint64_t offset, const uint8_t* bytes, size_t size) {
  Flush();
  int error = WriteAllAt(fd_, bytes, size, offset);
  if (error != 0) Fail(error);
}

void AtomicOutput::Truncate(uint64_t size) {
  Flush();
  if (ftruncate(fd_, off_t(size)) != 0) Fail(errno);
  size_ = size;
}

void AtomicOutput::Commit() {
  Flush();
  int error = fsync(fd_) == 0 ? 0 : errno;
  if (close(fd_) != 0 && error == 0) error = errno;
  fd_ = -1;
  if (error == 0 && std::rename(temporary_.c_str(), path_.c_str()) != 0) error = errno;
  if (error != 0) {
    (void)unlink(temporary_.c_str());  // best effort; the failure is what gets reported
    ThrowFor(path_, "cannot write the file", error);
  }
}

void WriteFileAtomically(const std::string& path, const std::vector<uint8_t>& bytes) {
  AtomicOutput output(path);
  output.Write(bytes);
  output.Commit();
}
