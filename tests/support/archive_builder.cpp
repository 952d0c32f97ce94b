// Test archive builder; writes the layout of archive/payload_format.h field by field.
#include "tests/support/archive_builder.h"

#include "tests/support/bit_writer.h"

void AppendLe32(std::string& out, uint32_t value) {
  for (int shift = 0; shift < 32; shift += 8) out.push_back(char((value >> shift) & 0xFF));
}

uint32_t AppendEntry(std::string& archive, const TestEntry& entry) {
  const uint32_t offset = uint32_t(archive.size());
  const uint32_t nameField = uint32_t(entry.Name.size()) + (entry.AddNul ? 1 : 0);
  archive.append(reinterpret_cast<const char*>(kEntryMagic), sizeof(kEntryMagic));
  AppendLe32(archive, kFixedHeaderSize + nameField);
  AppendLe32(archive, entry.Method);
  AppendLe32(archive, uint32_t(entry.Data.size()));
  AppendLe32(archive,
             entry.UnpackedSize < 0 ? uint32_t(entry.Data.size()) : uint32_t(entry.UnpackedSize));
  archive += entry.Name;
  if (entry.AddNul) archive.push_back('\0');
  archive += entry.Data;
  return offset;
}

TestEntry StoredEntry(const std::string& name, const std::string& data) {
  return TestEntry{name, kMethodStored, data};
}

TestEntry CompressedEntry(const std::string& name, const std::string& stream, uint32_t unpacked) {
  return TestEntry{name, kMethodCompressed, stream, unpacked};
}

void PatchLe32(std::string& archive, uint32_t at, uint32_t value) {
  for (int i = 0; i < 4; ++i) archive[at + i] = char((value >> (8 * i)) & 0xFF);
}

std::string RepeatedByteStream(uint8_t byte, uint16_t symbols) {
  BitWriter bits;
  bits.Put(symbols, 16);  // symbol count
  WriteSingleSymbolCodes(bits, 0, byte, 0);
  return std::string(bits.Bytes().begin(), bits.Bytes().end());
}

std::string BrokenStreamAfter(uint8_t byte, uint16_t symbols) {
  BitWriter bits;
  bits.Put(symbols, 16);  // the block of RepeatedByteStream, 52 bits
  WriteSingleSymbolCodes(bits, 0, byte, 0);
  bits.Put(1, 16);  // next block: one symbol
  bits.Put(1, 5);   // code-length code: count 1...
  bits.Put(1, 3);   // ...one length of 1 alone: an incomplete code
  bits.Put(0, 32);  // the rest of the header reads as zeros
  return std::string(bits.Bytes().begin(), bits.Bytes().end());
}
