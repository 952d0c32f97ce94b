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

[[noreturn]] void Fail(const std::string& path, const char* what, int error) {
  throw KpxError(path + ": " + what + " (" + std::strerror(error) + ")");
}

// Writes all bytes to fd. Returns 0, or the errno of the failure (ENOSPC when the system wrote
// nothing and gave no reason).
int WriteAll(int fd, const std::vector<uint8_t>& bytes) {
  for (size_t done = 0; done < bytes.size();) {
    ssize_t written = write(fd, bytes.data() + done, bytes.size() - done);
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

void WriteFileAtomically(const std::string& path, const std::vector<uint8_t>& bytes) {
  std::string temporary = path + ".XXXXXX";
  const int fd = mkstemp(temporary.data());
  if (fd < 0) Fail(path, "cannot create a temporary file beside it", errno);
  int error = fchmod(fd, NewFileMode()) == 0 ? 0 : errno;
  if (error == 0) error = WriteAll(fd, bytes);
  if (error == 0 && fsync(fd) != 0) error = errno;
  if (close(fd) != 0 && error == 0) error = errno;
  if (error == 0 && std::rename(temporary.c_str(), path.c_str()) != 0) error = errno;
  if (error != 0) {
    (void)unlink(temporary.c_str());  // best effort; the failure is what gets reported
    Fail(path, "cannot write the file", error);
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
    // The file's own place and, for a link, what it points to: writing either loses the input.
    if (place == WrittenPlace(file) || place == Resolved(file))
      throw KpxError(output + ": the output would replace the input " + file +
                     "; write it elsewhere");
  }
}
