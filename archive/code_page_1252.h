// Code page 1252, the Windows ANSI code page that entry names are written in: the character of
// each byte, and its UTF-8 form for hosts whose file names are UTF-8. Portable, header only.
#pragma once

#include <cstdint>

// The code points of the bytes 0x80..0x9F. The five bytes the code page leaves undefined stand for
// the C1 control of the same value, as Windows converts them.
inline constexpr uint16_t kCp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

// The Unicode code point of a code page 1252 byte.
constexpr uint32_t Cp1252CodePoint(uint8_t byte) {
  return byte >= 0x80 && byte < 0xA0 ? kCp1252High[byte - 0x80] : byte;
}

// Writes the UTF-8 form of a code page 1252 byte to out (1 to 3 bytes, no terminator) and
// returns its length.
inline int Cp1252ToUtf8(uint8_t byte, char* out) {
  const uint32_t c = Cp1252CodePoint(byte);
  if (c < 0x80) {
    out[0] = char(c);
    return 1;
  }
  if (c < 0x800) {
    out[0] = char(0xC0 | c >> 6);
    out[1] = char(0x80 | (c & 0x3F));
    return 2;
  }
  out[0] = char(0xE0 | c >> 12);
  out[1] = char(0x80 | (c >> 6 & 0x3F));
  out[2] = char(0x80 | (c & 0x3F));
  return 3;
}
