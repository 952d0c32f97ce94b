// Entry names for the payload: UTF-8 to code page 1252, and Windows name rules. Host only.
#include "packer/ansi_names.h"

#include <cctype>
#include <cstdint>
#include <cstring>

namespace {

// Code points of the bytes 0x80..0x9F in code page 1252; 0 where the code page has no character.
constexpr uint16_t kCp1252High[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
    0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

// The code page 1252 byte of a code point, or -1 when there is none.
int Cp1252Byte(uint32_t codePoint) {
  if (codePoint < 0x80 || (codePoint >= 0xA0 && codePoint <= 0xFF)) return int(codePoint);
  for (int i = 0; i < 32; ++i) {
    if (kCp1252High[i] != 0 && kCp1252High[i] == codePoint) return 0x80 + i;
  }
  return -1;
}

// Decodes the UTF-8 sequence at s[i]; advances i. Returns false on a malformed sequence.
bool NextCodePoint(const std::string& s, size_t& i, uint32_t& codePoint) {
  uint8_t lead = uint8_t(s[i++]);
  int extra = lead < 0x80 ? 0 : (lead >> 5) == 0x6 ? 1 : (lead >> 4) == 0xE ? 2 : (lead >> 3) == 0x1E ? 3 : -1;
  if (extra < 0) return false;
  codePoint = extra == 0 ? lead : lead & (0x3F >> extra);
  for (int k = 0; k < extra; ++k) {
    if (i >= s.size() || (uint8_t(s[i]) & 0xC0) != 0x80) return false;
    codePoint = codePoint << 6 | (uint8_t(s[i++]) & 0x3F);
  }
  static const uint32_t kSmallest[4] = {0, 0x80, 0x800, 0x10000};
  return codePoint >= kSmallest[extra] && codePoint <= 0x10FFFF;  // no overlong forms
}

// Whether a name is one of the devices that Windows reserves in every folder, with or without an
// extension ("con", "Com1.txt").
bool IsDeviceName(const std::string& component) {
  std::string stem = component.substr(0, component.find('.'));
  for (char& c : stem) c = char(std::toupper(uint8_t(c)));
  if (stem == "CON" || stem == "PRN" || stem == "AUX" || stem == "NUL") return true;
  return stem.size() == 4 && (stem.compare(0, 3, "COM") == 0 || stem.compare(0, 3, "LPT") == 0) &&
         stem[3] >= '1' && stem[3] <= '9';
}

}  // namespace

bool Utf8ToCp1252(const std::string& utf8, std::string& cp1252) {
  cp1252.clear();
  for (size_t i = 0; i < utf8.size();) {
    uint32_t codePoint = 0;
    if (!NextCodePoint(utf8, i, codePoint)) return false;
    int byte = Cp1252Byte(codePoint);
    if (byte < 0) return false;
    cp1252.push_back(char(byte));
  }
  return true;
}

const char* WindowsNameProblem(const std::string& component) {
  if (component.empty()) return "is empty";
  if (component == "." || component == "..") return "is \".\" or \"..\"";
  for (char c : component) {
    if (uint8_t(c) < 0x20 || c == 0x7F) return "holds a control character";
    if (std::strchr("\\/:*?\"<>|", c) != nullptr) return "holds one of \\ / : * ? \" < > |";
  }
  char last = component.back();
  if (last == '.' || last == ' ') return "ends with a dot or a space";
  if (IsDeviceName(component)) return "is a device name (CON, PRN, AUX, NUL, COM1-9, LPT1-9)";
  return nullptr;
}
