// Loading an archive from a payload file or from a setup.exe's resources.
#include "packer/archive_source.h"

#include <fstream>
#include <iterator>
#include <limits>
#include <stdexcept>

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

}  // namespace

std::vector<uint8_t> LoadArchiveSource(const std::string& path) {
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
  return archive;
}
