// Wrapping our streams in an LHA archive and testing it with lhasa, for the encoder's tests.
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
int TestWithLhasa(const std::string&) { return -1; }
#else

namespace {

uint16_t Crc16(const std::string& bytes) {
  uint16_t crc = 0;
  for (char c : bytes) {
    crc ^= uint8_t(c);
    for (int k = 0; k < 8; ++k)
      crc = (crc & 1) ? uint16_t((crc >> 1) ^ 0xA001) : uint16_t(crc >> 1);
  }
  return crc;
}

}  // namespace

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
  h.push_back(0x20);          // archive attribute
  h.push_back(0);             // header level
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
