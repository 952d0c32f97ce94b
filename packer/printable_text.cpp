// Escaping control characters and broken UTF-8 for the terminal. Host only.
#include "packer/printable_text.h"

#include <cstdint>
#include <cstdio>

#include "packer/payload/ansi_names.h"

namespace {

// The length of the valid UTF-8 sequence at text[i], or 0 when it is not one (overlong forms,
// surrogates and code points past U+10FFFF included). Sets *codePoint.
size_t Utf8SequenceAt(const std::string& text, size_t i, uint32_t* codePoint) {
  const uint8_t lead = uint8_t(text[i]);
  const size_t length = lead < 0x80           ? 1
                        : (lead >> 5) == 0x6  ? 2
                        : (lead >> 4) == 0xE  ? 3
                        : (lead >> 3) == 0x1E ? 4
                                              : 0;
  if (length == 0 || i + length > text.size()) return 0;
  uint32_t c = length == 1 ? lead : lead & (0xFF >> (length + 1));
  for (size_t k = 1; k < length; ++k) {
    const uint8_t next = uint8_t(text[i + k]);
    if ((next & 0xC0) != 0x80) return 0;
    c = c << 6 | (next & 0x3F);
  }
  static const uint32_t kSmallest[5] = {0, 0, 0x80, 0x800, 0x10000};
  if (c < kSmallest[length] || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return 0;
  *codePoint = c;
  return length;
}

void AppendEscape(std::string& out, const char* format, unsigned value) {
  char escape[8];
  std::snprintf(escape, sizeof escape, format, value);
  out += escape;
}

}  // namespace

std::string PrintableText(const std::string& utf8) {
  std::string out;
  for (size_t i = 0; i < utf8.size();) {
    uint32_t c = 0;
    const size_t length = Utf8SequenceAt(utf8, i, &c);
    if (length == 0) {
      AppendEscape(out, "\\x%02X", uint8_t(utf8[i++]));
    } else if (c < 0x20 || c == 0x7F) {
      AppendEscape(out, "\\x%02X", c);
      i += length;
    } else if (c >= 0x80 && c < 0xA0) {
      AppendEscape(out, "\\u%04X", c);
      i += length;
    } else {
      out.append(utf8, i, length);
      i += length;
    }
  }
  return out;
}

std::string PrintableEntryName(const std::string& cp1252) {
  return PrintableText(Cp1252ToUtf8(cp1252));
}
