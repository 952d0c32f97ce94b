// Appends entries to a payload archive in memory. Host only.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The most bytes an archive holds: the program refuses an entry that ends past it.
constexpr uint64_t kMaxArchiveSize = 0x7FFFFFFF;

// Appends one entry: header (magic, header size, method, stored size, unpacked size, name with
// its NUL) and data. name is in code page 1252 with \ separators and not empty.
void AppendEntry(std::vector<uint8_t>& archive, const std::string& name, uint32_t method,
                 const std::vector<uint8_t>& stored, uint32_t unpackedSize);
