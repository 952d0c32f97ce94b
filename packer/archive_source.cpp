// Loading an archive from a payload file or from a setup.exe's resources.
#include "packer/archive_source.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <fstream>
#include <iterator>
#include <limits>
#include <stdexcept>
#include <utility>

#include "archive/payload_format.h"
#include "packer/pe_resource.h"

namespace {

std::vector<uint8_t> ReadFileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary | std::ios::ate);
  if (!in) throw std::runtime_error(path + ": cannot be read");
  // One read of the whole file where its size is known (a regular file); else byte by byte.
  const std::streamoff size = in.tellg();
  if (size >= 0 && in.seekg(0)) {
    std::vector<uint8_t> bytes(static_cast<size_t>(size));
    if (!in.read(reinterpret_cast<char*>(bytes.data()), size)) {
      throw std::runtime_error(path + ": cannot be read");
    }
    return bytes;
  }
  in.clear();
  std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (in.bad()) throw std::runtime_error(path + ": cannot be read");
  return bytes;
}

// Maps a non-empty regular file read-only, its pages loaded at once. Null when it cannot.
const void* MapWholeFile(const std::string& path, size_t* size) {
  const int fd = open(path.c_str(), O_RDONLY);
  if (fd < 0) return nullptr;
  struct stat status;
  void* mapped = MAP_FAILED;
  if (fstat(fd, &status) == 0 && S_ISREG(status.st_mode) && status.st_size > 0) {
    *size = static_cast<size_t>(status.st_size);
    mapped = mmap(nullptr, *size, PROT_READ, MAP_PRIVATE | MAP_POPULATE, fd, 0);
  }
  (void)close(fd);  // the mapping stays valid
  return mapped == MAP_FAILED ? nullptr : mapped;
}

bool StartsLikePeImage(const uint8_t* bytes, size_t size) {
  return size >= 2 && bytes[0] == 'M' && bytes[1] == 'Z';
}

}  // namespace

ArchiveBytes::ArchiveBytes(ArchiveBytes&& other) noexcept
    : copy_(std::move(other.copy_)), mapped_(other.mapped_), mappedSize_(other.mappedSize_) {
  other.mapped_ = nullptr;
}

ArchiveBytes::~ArchiveBytes() {
  if (mapped_) (void)munmap(const_cast<void*>(mapped_), mappedSize_);  // best effort
}

ArchiveBytes LoadArchiveSource(const std::string& path) {
  size_t mappedSize = 0;
  const void* mapped = MapWholeFile(path, &mappedSize);
  if (mapped && !StartsLikePeImage(static_cast<const uint8_t*>(mapped), mappedSize)) {
    if (mappedSize > std::numeric_limits<uint32_t>::max()) {
      (void)munmap(const_cast<void*>(mapped), mappedSize);
      throw std::runtime_error(path + ": the archive is larger than 4 GiB");
    }
    return ArchiveBytes(mapped, mappedSize);
  }
  if (mapped) (void)munmap(const_cast<void*>(mapped), mappedSize);
  std::vector<uint8_t> archive = ReadFileBytes(path);
  if (LooksLikePeImage(archive)) {
    try {
      archive = FindNamedTypeResource(archive, KPX_PAYLOAD_RESOURCE_TYPE, kPayloadResourceId);
    } catch (const std::runtime_error& e) {
      throw std::runtime_error(path + ": no payload archive found: " + e.what());
    }
  }
  if (archive.size() > std::numeric_limits<uint32_t>::max()) {
    throw std::runtime_error(path + ": the archive is larger than 4 GiB");
  }
  return ArchiveBytes(std::move(archive));
}
