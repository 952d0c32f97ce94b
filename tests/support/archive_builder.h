// Builds payload archives for tests: entries with any name, method, sizes and data, and raw
// little-endian patches for damaged headers. Host and cross-built tests only.
#pragma once

#include <cstdint>
#include <string>

#include "archive/payload_format.h"

struct TestEntry {
  std::string Name;  // without the NUL; may hold NULs of its own
  uint32_t Method = kMethodStored;
  std::string Data;           // the stored bytes
  int64_t UnpackedSize = -1;  // -1: the size of Data
  bool AddNul = true;         // false: the name field ends without a NUL
};

// Appends one entry (header, name field, data) to archive; returns the entry's offset.
uint32_t AppendEntry(std::string& archive, const TestEntry& entry);

// Shorthands for well-formed entries.
TestEntry StoredEntry(const std::string& name, const std::string& data);
TestEntry CompressedEntry(const std::string& name, const std::string& stream, uint32_t unpacked);

// Appends value as a 32-bit little-endian number.
void AppendLe32(std::string& out, uint32_t value);
// Overwrites the 32-bit little-endian number at archive[at..at+3].
void PatchLe32(std::string& archive, uint32_t at, uint32_t value);

// Bytes of archive as the extractor reads them.
inline const uint8_t* Bytes(const std::string& archive) {
  return reinterpret_cast<const uint8_t*>(archive.data());
}

// Compressed streams built bit by bit. RepeatedByteStream: one block of `symbols` copies of byte,
// every code a single-symbol code, so the symbols take no bits. BrokenStreamAfter: the same block,
// then a block header whose code-length code (one symbol of length 1) is invalid, which the decoder
// reaches after `symbols` bytes of output.
std::string RepeatedByteStream(uint8_t byte, uint16_t symbols);
std::string BrokenStreamAfter(uint8_t byte, uint16_t symbols);
