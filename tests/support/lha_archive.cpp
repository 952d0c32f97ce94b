// Running jlha and reading its archive, for the decoder's peer tests; wrapping our streams for
// lhasa, for the encoder's.
//
// Format notes (LHA level-0 header)
// ---------------------------------
// 1 header size (bytes from offset 2 to the end of the header), 1 checksum (byte sum of those
// bytes), 5 method "-lh5-", 4 stored size, 4 original size, 4 DOS time, 1 attribute, 1 level (0),
// 1 name length, the name, 2 CRC-16 (polynomial 0xA001, reflected, initial 0) of the original.
// A 0 byte ends the archive.
#include "tests/support/lha_archive.h"

#include <cstdlib>

#include "tests/support/archive_builder.h"
#include "tests/support/scratch_dir.h"
#include "tests/support/test_paths.h"

#ifdef _WIN32
bool CompressWithJlha(const std::string&, LhaEntry*) { return false; }
int TestWithLhasa(const std::string&) { return -1; }
#else

namespace {

uint32_t Le16(const std::string& s, size_t at) {
  return uint8_t(s[at]) | uint32_t(uint8_t(s[at + 1])) << 8;
}

uint32_t Le32(const std::string& s, size_t at) { return Le16(s, at) | Le16(s, at + 2) << 16; }

// Reads the first entry of a level-2 archive, whose header has its full size at 0, the method at
// 2, the stored size at 7, the unpacked size at 11 and the level at 20 (24 bytes at least).
// Returns false for another level or when the stored bytes run past the end of the archive.
bool ReadFirstLevel2Entry(const std::string& archive, LhaEntry* entry) {
  if (archive.size() < 24 || archive[20] != 2) return false;
  entry->Method = archive.substr(2, 5);
  const uint32_t stored = Le32(archive, 7);
  entry->UnpackedSize = Le32(archive, 11);
  const size_t dataStart = Le16(archive, 0);
  if (dataStart > archive.size() || archive.size() - dataStart < stored) return false;
  entry->Stream = archive.substr(dataStart, stored);
  return true;
}

uint16_t Crc16(const std::string& bytes) {
  uint16_t crc = 0;
  for (char c : bytes) {
    crc ^= uint8_t(c);
    for (int k = 0; k < 8; ++k) crc = (crc & 1) ? uint16_t((crc >> 1) ^ 0xA001) : uint16_t(crc >> 1);
  }
  return crc;
}

}  // namespace

bool CompressWithJlha(const std::string& data, LhaEntry* entry) {
  const ScratchDir dir;
  dir.Write("data.bin", data);
  const std::string command =
      "cd '" + dir.Root() + "' && jlha co52q data.lzh data.bin >/dev/null 2>&1";
  return std::system(command.c_str()) == 0 &&
         ReadFirstLevel2Entry(ReadWholeFile(dir.Path("data.lzh").string()), entry);
}

int TestWithLhasa(const std::string& archive) {
  if (std::system("command -v lhasa >/dev/null 2>&1") != 0) return -1;
  const ScratchDir dir;
  const std::string command = "lhasa t '" + dir.Write("entry.lzh", archive) + "' >/dev/null 2>&1";
  return std::system(command.c_str()) == 0 ? 0 : 1;
}

std::string WrapInLhaLevel0(const std::vector<uint8_t>& stream, const std::string& original,
                            const std::string& name) {
  std::string h(2, '\0');
  h += "-lh5-";
  AppendLe32(h, uint32_t(stream.size()));
  AppendLe32(h, uint32_t(original.size()));
  AppendLe32(h, 0x21000000);  // 1996-08-00, any valid DOS time serves
  h.push_back(0x20);  // archive attribute
  h.push_back(0);     // header level
  h.push_back(char(name.size()));
  h += name;
  uint16_t crc = Crc16(original);
  h.push_back(char(crc & 0xFF));
  h.push_back(char(crc >> 8));
  h[0] = char(h.size() - 2);
  uint8_t sum = 0;
  for (size_t i = 2; i < h.size(); ++i) sum = uint8_t(sum + uint8_t(h[i]));
  h[1] = char(sum);
  h.append(stream.begin(), stream.end());
  h.push_back('\0');
  return h;
}
#endif
