// The files of a product folder as payload entries: found, named and ordered. Host only.
//
// Folders are walked through descriptors, one folder opened below the other without following a
// link, and every symbolic link is refused: what is packed is what lies in the product folder, even
// while someone else changes it. Names are checked here, before any compression, so that a bad
// tree fails at once.
#include "packer/payload/product_files.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <map>
#include <memory>

#include "archive/extract_entry.h"
#include "packer/payload/ansi_names.h"

namespace fs = std::filesystem;

namespace {

constexpr size_t kMaxComposedPath = kMaxOutputPath;  // the extractor refuses longer ones
constexpr uint64_t kMaxFileSize = 0x7FFFFFFF;

[[noreturn]] void Fail(const std::string& path, const char* what, int error) {
  throw KpxError(path + ": " + what + " (" + std::strerror(error) + ")");
}

// Converts one name component to code page 1252 and checks it; throws naming the file.
std::string EntryComponent(const std::string& file, const std::string& component) {
  std::string converted;
  if (!Utf8ToCp1252(component, converted))
    throw KpxError(file + ": the name has characters that code page 1252 cannot hold");
  if (const char* problem = WindowsNameProblem(converted))
    throw KpxError(file + ": the name \"" + component + "\" " + problem);
  return converted;
}

struct Walk {
  std::string destination;
  std::vector<ProductFile> files;
  std::vector<std::string> links;  // every symbolic link met, refused together at the end
};

void AddFile(Walk& walk, const std::string& file, const std::string& name,
             const struct stat& status) {
  const uint64_t size = uint64_t(status.st_size);
  if (size > kMaxFileSize) throw KpxError(file + ": the file has 2^31 bytes or more");
  if (walk.destination.size() + name.size() > kMaxComposedPath)
    throw KpxError(file + ": the name is too long for the install path \"" + walk.destination +
                   name + "\" (at most " + std::to_string(kMaxComposedPath) + " characters)");
  walk.files.push_back(
      ProductFile{file, name, size, uint64_t(status.st_dev), uint64_t(status.st_ino)});
}

// The names in the open folder dir, sorted, without "." and "..".
std::vector<std::string> FolderNames(DIR* dir, const std::string& path) {
  std::vector<std::string> names;
  errno = 0;
  while (const dirent* entry = readdir(dir)) {
    if (std::strcmp(entry->d_name, ".") != 0 && std::strcmp(entry->d_name, "..") != 0)
      names.push_back(entry->d_name);
    errno = 0;
  }
  if (errno != 0) Fail(path, "cannot read the folder", errno);
  std::sort(names.begin(), names.end());
  return names;
}

// Walks the folder open at fd, which it takes over; path names it in messages and prefix is its
// entry name with a trailing \ (empty at the top). Each child is examined and opened relative to
// fd without following links, so a folder swapped for a link meanwhile is not entered.
void WalkFolder(Walk& walk, int fd, const std::string& path, const std::string& prefix) {
  DIR* opened = fdopendir(fd);
  if (opened == nullptr) {
    const int error = errno;
    (void)close(fd);  // best effort; the failure is what gets reported
    Fail(path, "cannot read the folder", error);
  }
  std::unique_ptr<DIR, int (*)(DIR*)> dir(opened, closedir);
  for (const std::string& name : FolderNames(dir.get(), path)) {
    const std::string child = (fs::path(path) / name).string();
    struct stat status;
    if (fstatat(dirfd(dir.get()), name.c_str(), &status, AT_SYMLINK_NOFOLLOW) != 0)
      Fail(child, "cannot read the file", errno);
    if (S_ISLNK(status.st_mode)) {
      walk.links.push_back(child);
      continue;
    }
    const std::string entry = prefix + EntryComponent(child, name);
    if (S_ISDIR(status.st_mode)) {
      const int childFd =
          openat(dirfd(dir.get()), name.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
      if (childFd < 0) Fail(child, "cannot read the folder", errno);
      WalkFolder(walk, childFd, child, entry + "\\");
    } else if (S_ISREG(status.st_mode)) {
      AddFile(walk, child, entry, status);
    } else {
      throw KpxError(child + ": not a regular file");
    }
  }
}

[[noreturn]] void FailChanged(const ProductFile& file, const char* how) {
  throw KpxError(file.SourcePath + ": the file changed while packing (" + how + ")");
}

}  // namespace

std::string DefaultDestination() { return "c:\\program files\\Quorvelane\\"; }

void PutFirst(std::vector<ProductFile>& files, const std::string& first,
              const std::string& folder) {
  std::string wanted = first;
  std::replace(wanted.begin(), wanted.end(), '/', '\\');
  auto it = std::find_if(files.begin(), files.end(),
                         [&](const ProductFile& f) { return f.Name == wanted; });
  if (it == files.end()) throw KpxError(first + ": the first file is not in " + folder);
  std::rotate(files.begin(), it, it + 1);
}

std::vector<ProductFile> ListProductFiles(const std::string& folder, const std::string& first,
                                          const std::string& destination) {
  Walk walk;
  walk.destination = destination;
  if (walk.destination.empty() || walk.destination.back() != '\\') walk.destination += '\\';
  const int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) Fail(folder, "cannot read the folder", errno);
  WalkFolder(walk, fd, folder, "");
  if (!walk.links.empty()) {
    std::string names;
    for (const std::string& link : walk.links) names += (names.empty() ? "" : ", ") + link;
    throw KpxError(folder + ": symbolic links are not packed (copy what each one points to into " +
                   "the folder instead): " + names);
  }
  if (walk.files.empty()) throw KpxError(folder + ": no files below this folder");
  std::sort(walk.files.begin(), walk.files.end(),
            [](const ProductFile& a, const ProductFile& b) { return a.Name < b.Name; });
  std::map<std::string, const ProductFile*> seen;  // by the name as Windows compares it
  for (const ProductFile& f : walk.files) {
    auto [other, added] = seen.emplace(WindowsCaseFold(f.Name), &f);
    if (!added)
      throw KpxError(f.SourcePath + ": Windows would take this name for another file's (" +
                     other->second->SourcePath + ")");
  }
  if (!first.empty()) PutFirst(walk.files, first, folder);
  return walk.files;
}

int OpenProductFile(const ProductFile& file) {
  // O_NONBLOCK: a FIFO put in the file's place must not hold the open; it changes nothing for the
  // plain files that are read.
  const int fd = open(file.SourcePath.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0 && errno == ELOOP) FailChanged(file, "it is now a symbolic link");
  if (fd < 0) Fail(file.SourcePath, "cannot read the file", errno);
  struct stat status;
  const char* change = nullptr;
  if (fstat(fd, &status) != 0) {
    const int error = errno;
    (void)close(fd);  // best effort; the failure is what gets reported
    Fail(file.SourcePath, "cannot read the file", error);
  }
  if (!S_ISREG(status.st_mode)) {
    change = "it is no longer a plain file";
  } else if (uint64_t(status.st_dev) != file.Device || uint64_t(status.st_ino) != file.Inode) {
    change = "another file is now at its path";
  } else if (uint64_t(status.st_size) != file.Size) {
    change = "its size changed";
  }
  if (change != nullptr) {
    (void)close(fd);  // best effort; the change is what gets reported
    FailChanged(file, change);
  }
  return fd;
}
