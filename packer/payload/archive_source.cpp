// Loading an archive from a payload file or from a setup.exe's resources.
#include "packer/payload/archive_source.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <limits>
#include <utility>

#include "archive/payload_format.h"
#include "packer/kpx_error.h"
#include "packer/pe_image/pe_resource.h"

namespace {

[[noreturn]] void Fail(const std::string& path, const std::string& what) {
  throw KpxError(path + ": " + what);
}

// Reads fd to its end: a file, a pipe or a device.
std::vector<uint8_t> ReadToEnd(int fd, const std::string& path) {
  std::vector<uint8_t> bytes;
  uint8_t buffer[1 << 16];
  for (;;) {
    ssize_t count = read(fd, buffer, sizeof buffer);
    if (count < 0 && errno == EINTR) continue;
    if (count < 0) Fail(path, std::string("cannot be read (") + std::strerror(errno) + ")");
    if (count == 0) return bytes;
    bytes.insert(bytes.end(), buffer, buffer + count);
    if (bytes.size() > std::numeric_limits<uint32_t>::max())
      Fail(path, "the archive is larger than 4 GiB");
  }
}

// Maps a non-empty regular file read-only, its pages loaded at once. Null when it cannot.
const void* MapWholeFile(int fd, const struct stat& status, size_t* size) {
  if (!S_ISREG(status.st_mode) || status.st_size <= 0) return nullptr;
  *size = static_cast<size_t>(status.st_size);
  void* mapped = mmap(nullptr, *size, PROT_READ, MAP_PRIVATE | MAP_POPULATE, fd, 0);
  return mapped == MAP_FAILED ? nullptr : mapped;
}

bool StartsLikePeImage(const uint8_t* bytes, size_t size) {
  return size >= 2 && bytes[0] == 'M' && bytes[1] == 'Z';
}

}  // namespace

ArchiveBytes::ArchiveBytes(ArchiveBytes&& other) noexcept
    : copy_(std::move(other.copy_)),
      mapped_(other.mapped_),
      mappedSize_(other.mappedSize_),
      offset_(other.offset_),
      size_(other.size_) {
  other.mapped_ = nullptr;
}

ArchiveBytes::~ArchiveBytes() {
  if (mapped_) (void)munmap(const_cast<void*>(mapped_), mappedSize_);  // best effort
}

ArchiveBytes LoadArchiveSource(const std::string& path) {
  const int fd = open(path.c_str(), O_RDONLY);
  if (fd < 0) Fail(path, std::string("cannot be read (") + std::strerror(errno) + ")");
  struct Closer {
    int fd;
    ~Closer() { (void)close(fd); }  // a mapping stays valid
  } closer{fd};
  struct stat status;
  if (fstat(fd, &status) != 0)
    Fail(path, std::string("cannot be read (") + std::strerror(errno) + ")");
  if (S_ISDIR(status.st_mode)) Fail(path, "is a folder, not an archive or setup.exe");
  size_t mappedSize = 0;
  if (const void* mapped = MapWholeFile(fd, status, &mappedSize)) {
    ArchiveBytes archive(mapped, mappedSize);  // unmapped again if a check below throws
    if (StartsLikePeImage(archive.data(), mappedSize)) {
      try {
        const ResourcePlace place = LocateNamedTypeResource(
            archive.data(), mappedSize, KPX_PAYLOAD_RESOURCE_TYPE, kPayloadResourceId);
        archive.Narrow(size_t(place.Offset), size_t(place.Size));
      } catch (const KpxError& e) {
        Fail(path, std::string("no payload archive found: ") + e.what());
      }
    }
    if (archive.size() > std::numeric_limits<uint32_t>::max())
      Fail(path, "the archive is larger than 4 GiB");
    return archive;
  }
  std::vector<uint8_t> archive = ReadToEnd(fd, path);
  if (LooksLikePeImage(archive)) {
    try {
      archive = FindNamedTypeResource(archive, KPX_PAYLOAD_RESOURCE_TYPE, kPayloadResourceId);
    } catch (const KpxError& e) {
      Fail(path, std::string("no payload archive found: ") + e.what());
    }
  }
  return ArchiveBytes(std::move(archive));
}
