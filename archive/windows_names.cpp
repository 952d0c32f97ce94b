// The device and trimmed-name rule. Portable.
#include "archive/windows_names.h"

namespace {

// The device names, each ended by a NUL, the list by an empty one. '#' stands for a digit 1-9 or
// a superscript one, two or three (code page 1252 bytes 0xB9, 0xB2, 0xB3).
constexpr char kDeviceNames[] = "CON\0PRN\0AUX\0NUL\0CONIN$\0CONOUT$\0CLOCK$\0COM#\0LPT#\0";

bool MatchesDevice(const uint8_t* stem, const uint8_t* end, const char* device) {
  for (; *device != '\0'; ++device, ++stem) {
    if (stem == end) return false;
    uint8_t c = *stem;
    if (c >= 'a' && c <= 'z') c = uint8_t(c - 0x20);
    const bool digit = (c >= '1' && c <= '9') || c == 0xB9 || c == 0xB2 || c == 0xB3;
    if (*device == '#' ? !digit : c != uint8_t(*device)) return false;
  }
  return stem == end;
}

}  // namespace

// Windows takes the part before the first dot, without its trailing spaces, as the device name.
WindowsNameRule WindowsComponentRule(const uint8_t* start, const uint8_t* end) {
  if (end[-1] == '.' || end[-1] == ' ') return kNameTrimmed;
  const uint8_t* stemEnd = start;
  while (stemEnd != end && *stemEnd != '.') ++stemEnd;
  while (stemEnd != start && stemEnd[-1] == ' ') --stemEnd;
  for (const char* device = kDeviceNames; *device != '\0';) {
    if (MatchesDevice(start, stemEnd, device)) return kNameDevice;
    while (*device++ != '\0') {
    }
  }
  return kNameKept;
}
