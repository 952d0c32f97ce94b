// The payload archive format, shared by the extractor in the program and the packer on the host.
// Portable.
//
// Format notes
// ------------
// An archive is a plain sequence of entries with no archive header, count, directory, trailer or
// checksum; it ends where its last entry's data ends. Each entry is a header immediately followed by
// its data, with no gaps or alignment. All numbers are unsigned 32-bit little-endian.
//
//   offset  size  field
//   0       4     magic: 'k' 'p' 'x' '\n'
//   4       4     header size: 20 + length of the name field; also the offset of the data
//   8       4     method: 1 = compressed stream (-lh5-); anything else = stored (the packer writes 0)
//   12      4     stored size: bytes of data that follow the header
//   16      4     unpacked size: size of the file to write; equals the stored size for stored data
//   20      ...   name: path relative to the destination, '\' separated, NUL-terminated, no fill
//
// Sizes stay below 2^31. The next entry starts at entry offset + header size + stored size.
#pragma once

#include <cstdint>

#include "resources/resource.h"

constexpr uint8_t kEntryMagic[4] = {0x6B, 0x70, 0x78, 0x0A};

constexpr uint32_t kMagicOffset = 0;
constexpr uint32_t kHeaderSizeOffset = 4;
constexpr uint32_t kMethodOffset = 8;
constexpr uint32_t kStoredSizeOffset = 12;
constexpr uint32_t kUnpackedSizeOffset = 16;
constexpr uint32_t kNameOffset = 20;
constexpr uint32_t kFixedHeaderSize = 20;  // header bytes before the name field

constexpr uint32_t kMethodStored = 0;
constexpr uint32_t kMethodCompressed = 1;

constexpr uint32_t kMaxEntrySize = 0x7FFFFFFF;  // sizes are treated as signed 32-bit counts

// The payload's place among the program's resources: type "KPX", integer id IDR_PAYLOAD (119).
#define KPX_PAYLOAD_RESOURCE_TYPE "KPX"
constexpr int kPayloadResourceId = IDR_PAYLOAD;

// Reads a little-endian 32-bit number; the caller guarantees 4 readable bytes at p.
inline uint32_t ReadLe32(const uint8_t* p) {
  return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}
