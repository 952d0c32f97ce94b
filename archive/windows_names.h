// What Windows makes of a name and of a reparse point, decided once for the program's extractor,
// the tree emptier and the host tool's packer and checks. Portable; names are code page 1252 bytes.
#pragma once

#include <cstdint>

// Why Windows would not keep a name component (one file or folder name) as written.
enum WindowsNameRule : int {
  kNameKept = 0,     // Windows keeps the name as it is
  kNameTrimmed = 1,  // it ends with a dot or a space, which Windows drops, naming another file
  kNameDevice = 2,   // Windows opens a device instead, in every folder: CON, PRN, AUX, NUL,
                     // CONIN$, CONOUT$, CLOCK$, COM1-9, LPT1-9 and COM/LPT with a superscript
                     // 1, 2 or 3, in any case, also with spaces and an extension after ("NUL .txt")
};

// Returns the WindowsNameRule of the component [start, end), which is not empty.
WindowsNameRule WindowsComponentRule(const uint8_t* start, const uint8_t* end);

// The reparse point attribute of a directory entry, and the tag bit of a name surrogate.
constexpr uint32_t kReparsePointAttribute = 0x400;
constexpr uint32_t kNameSurrogateTagBit = 0x20000000;

// The reserved tags 0 to 2, which no real reparse point has.
constexpr uint32_t kLastReservedTag = 2;

// True when a directory entry with these attributes and this reparse tag (the dwReserved0 of a
// directory search) stands for another name: a junction, a symbolic link, any tag with the name
// surrogate bit, and a reserved tag, which means the search did not give the tag (Wine leaves 1
// there for a link to a folder): an unknown one counts as a link. Neither the extractor nor the
// tree emptier follows one. Other reparse points, such as deduplicated files and cloud
// placeholders, are ordinary files and folders to both.
constexpr bool IsNameSurrogate(uint32_t attributes, uint32_t tag) {
  return (attributes & kReparsePointAttribute) != 0 &&
         (tag <= kLastReservedTag || (tag & kNameSurrogateTagBit));
}
