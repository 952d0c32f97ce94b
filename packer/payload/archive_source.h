// Loads the archive that list, extract and check work on: a payload archive file as it is, or the
// payload resource (type "KPX", id 119) of a built setup.exe. Host only.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// The bytes of a loaded archive: a read-only mapping of a payload file or of a setup.exe, whose
// payload resource is then read in place (no copy, so a large archive costs neither time nor
// memory to load), or a copy (a file that cannot be mapped, such as a pipe).
class ArchiveBytes {
 public:
  explicit ArchiveBytes(std::vector<uint8_t> bytes) : copy_(std::move(bytes)) {}
  ArchiveBytes(const void* mapped, size_t size) : mapped_(mapped), mappedSize_(size), size_(size) {}
  ArchiveBytes(ArchiveBytes&& other) noexcept;
  ArchiveBytes(const ArchiveBytes&) = delete;
  ArchiveBytes& operator=(const ArchiveBytes&) = delete;
  ~ArchiveBytes();
  const uint8_t* data() const {
    return mapped_ ? static_cast<const uint8_t*>(mapped_) + offset_ : copy_.data();
  }
  size_t size() const { return mapped_ ? size_ : copy_.size(); }
  // Narrows a mapping to its bytes offset..offset+size-1, which lie inside it.
  void Narrow(size_t offset, size_t size) {
    offset_ = offset;
    size_ = size;
  }

 private:
  std::vector<uint8_t> copy_;
  const void* mapped_ = nullptr;
  size_t mappedSize_ = 0;
  size_t offset_ = 0, size_ = 0;  // the archive within the mapping
};

// Reads path (a file, a pipe or a device) and finds the archive in it. Throws KpxError naming the
// file and the reason when it is a folder, cannot be read, or is a PE file without a readable
// payload resource.
ArchiveBytes LoadArchiveSource(const std::string& path);
