// Entry names for the payload: UTF-8 to code page 1252 and back, and Windows name rules. Host only.
#include "packer/payload/ansi_names.h"

#include <cstdint>
#include <cstring>

#include "archive/code_page_1252.h"
#include "archive/windows_names.h"

namespace {

// The code page 1252 byte of a code point, or -1 when there is none. The C1 controls that stand for
// the code page's five undefined bytes are refused too: no name needs them.
int Cp1252Byte(uint32_t codePoint) {
  if (codePoint < 0x80 || (codePoint >= 0xA0 && codePoint <= 0xFF)) return int(codePoint);
  if (codePoint < 0xA0) return -1;
  for (int i = 0; i < 32; ++i) {
    if (kCp1252High[i] == codePoint) return 0x80 + i;
  }
  return -1;
}

// Decodes the UTF-8 sequence at s[i]; advances i. Returns false on a malformed sequence.
bool NextCodePoint(const std::string& s, size_t& i, uint32_t& codePoint) {
  uint8_t lead = uint8_t(s[i++]);
  int extra = lead < 0x80           ? 0
              : (lead >> 5) == 0x6  ? 1
              : (lead >> 4) == 0xE  ? 2
              : (lead >> 3) == 0x1E ? 3
                                    : -1;
  if (extra < 0) return false;
  codePoint = extra == 0 ? lead : lead & (0x3F >> extra);
  for (int k = 0; k < extra; ++k) {
    if (i >= s.size() || (uint8_t(s[i]) & 0xC0) != 0x80) return false;
    codePoint = codePoint << 6 | (uint8_t(s[i++]) & 0x3F);
  }
  static const uint32_t kSmallest[4] = {0, 0x80, 0x800, 0x10000};
  return codePoint >= kSmallest[extra] && codePoint <= 0x10FFFF;  // no overlong forms
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
  const uint8_t* start = reinterpret_cast<const uint8_t*>(component.data());
  switch (WindowsComponentRule(start, start + component.size())) {
    case kNameKept:
      return nullptr;
    case kNameTrimmed:
      return "ends with a dot or a space, which Windows drops";
    case kNameDevice:
      return "is a name Windows takes for a device (CON, PRN, AUX, NUL, CONIN$, CONOUT$, CLOCK$, "
             "COM1-9, LPT1-9, COM or LPT with \u00b9, \u00b2 or \u00b3, also before spaces or an "
             "extension)";
  }
  return nullptr;
}

std::string Cp1252ToUtf8(const std::string& cp1252) {
  std::string utf8;
  char character[3];
  for (char c : cp1252) utf8.append(character, size_t(Cp1252ToUtf8(uint8_t(c), character)));
  return utf8;
}

std::string WindowsCaseFold(const std::string& cp1252) {
  std::string folded = cp1252;
  for (char& c : folded) {
    const uint8_t b = uint8_t(c);
    if ((b >= 'a' && b <= 'z') || (b >= 0xE0 && b <= 0xFE && b != 0xF7)) {
      c = char(b - 0x20);  // a-z and à-þ; ÷ (0xF7) has no capital, × (0xD7) no small letter
    } else if (b == 0x9A || b == 0x9C || b == 0x9E) {
      c = char(b - 0x10);  // š œ ž to Š Œ Ž
    } else if (b == 0xFF) {
      c = char(0x9F);  // ÿ to Ÿ
    }
  }
  return folded;
}
