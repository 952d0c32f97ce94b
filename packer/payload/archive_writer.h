// The entry headers of a payload archive, in the layout of archive/payload_format.h. Host only.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The most bytes an archive holds: the program refuses an entry that ends past it.
constexpr uint64_t kMaxArchiveSize = 0x7FFFFFFF;

// One entry's header (magic, header size, method, stored size, unpacked size, name with its NUL),
// which its storedSize bytes of data follow. name is in code page 1252 with \ separators and not
// empty.
std::vector<uint8_t> EntryHeaderBytes(const std::string& name, uint32_t method, uint32_t storedSize,
                                      uint32_t unpackedSize);

// A number as the format stores it: 32 bits, little-endian.
void PutLe32(uint8_t* out, uint32_t value);
