// Appends entries to a payload archive in memory, in the layout of archive/payload_format.h.
// Host only.
#include "packer/archive_writer.h"

#include "archive/payload_format.h"

namespace {

void AppendLe32(std::vector<uint8_t>& out, uint32_t value) {
  for (int i = 0; i < 4; ++i) out.push_back(uint8_t(value >> (8 * i)));
}

}  // namespace

void AppendEntry(std::vector<uint8_t>& archive, const std::string& name, uint32_t method,
                 const std::vector<uint8_t>& stored, uint32_t unpackedSize) {
  archive.insert(archive.end(), kEntryMagic, kEntryMagic + 4);
  AppendLe32(archive, kFixedHeaderSize + uint32_t(name.size()) + 1);
  AppendLe32(archive, method);
  AppendLe32(archive, uint32_t(stored.size()));
  AppendLe32(archive, unpackedSize);
  archive.insert(archive.end(), name.begin(), name.end());
  archive.push_back(0);
  archive.insert(archive.end(), stored.begin(), stored.end());
}
