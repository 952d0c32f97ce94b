// The device and trimmed-name rule. Portable.
#include "archive/windows_names.h"

#include <cstring>

namespace {

// The device names in upper case, each padded with NULs to eight bytes. '*' stands for a digit
// 1-9 or a superscript one, two or three (code page 1252 bytes 0xB9, 0xB2, 0xB3); a real '*'
// can be in no Windows name, so it matches nothing that could be created.
alignas(4) constexpr char kDeviceNames[][8] = {"CON",     "PRN",    "AUX",  "NUL", "CONIN$",
                                               "CONOUT$", "CLOCK$", "COM*", "LPT*"};

}  // namespace

// Windows takes the part before the first dot, without its trailing spaces, as the device name; no
// device name holds a space or has more than seven characters.
__attribute__((noinline)) WindowsNameRule WindowsComponentRule(const uint8_t* start,
                                                               const uint8_t* end) {
  if (end[-1] == '.' || end[-1] == ' ') return kNameTrimmed;
  uint32_t stem[2] = {0, 0};  // the stem, normalised as the table is written
  uint8_t* text = reinterpret_cast<uint8_t*>(stem);
  uint32_t length = 0;
  bool spaces = false;
  for (const uint8_t* c = start; c != end && *c != '.'; ++c) {
    uint8_t byte = *c;
    if (byte == ' ') {
      spaces = true;
      continue;
    }
    if (spaces || length == 7) return kNameKept;
    if (byte >= 'a' && byte <= 'z') byte = uint8_t(byte - 0x20);
    if ((byte >= '1' && byte <= '9') || byte == 0xB9 || byte == 0xB2 || byte == 0xB3) byte = '*';
    text[length++] = byte;
  }
  for (const char(&device)[8] : kDeviceNames) {
    uint32_t words[2];
    std::memcpy(words, device, sizeof words);
    if (words[0] == stem[0] && words[1] == stem[1]) return kNameDevice;
  }
  return kNameKept;
}
