// The entry headers of a payload archive, in the layout of archive/payload_format.h. Host only.
#include "packer/payload/archive_writer.h"

#include "archive/payload_format.h"

void PutLe32(uint8_t* out, uint32_t value) {
  for (int i = 0; i < 4; ++i) out[i] = uint8_t(value >> (8 * i));
}

std::vector<uint8_t> EntryHeaderBytes(const std::string& name, uint32_t method, uint32_t storedSize,
                                      uint32_t unpackedSize) {
  std::vector<uint8_t> header(kFixedHeaderSize + name.size() + 1, 0);
  for (uint32_t i = 0; i < sizeof kEntryMagic; ++i) header[kMagicOffset + i] = kEntryMagic[i];
  PutLe32(&header[kHeaderSizeOffset], uint32_t(header.size()));
  PutLe32(&header[kMethodOffset], method);
  PutLe32(&header[kStoredSizeOffset], storedSize);
  PutLe32(&header[kUnpackedSizeOffset], unpackedSize);
  for (size_t i = 0; i < name.size(); ++i) header[kNameOffset + i] = uint8_t(name[i]);
  return header;
}
