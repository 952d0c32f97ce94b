// Reading and checking one entry header of a payload archive in place, shared by the extractor and
// the host tool's list and check. Portable; allocates nothing.
//
// An entry is usable only when reading and writing it stays inside its bounds: the header and its
// data lie inside the archive, the name field is at least one byte and ends with its only NUL, the
// sizes stay below 2^31, a stored entry does not claim more bytes than it stores, and the name
// cannot place a file outside the destination (no leading '\', no ':' or '/', no empty component
// and no component made only of dots and spaces, such as "." or ".."), nor lose it to a device or
// to a name Windows trims (windows_names.h).
#pragma once

#include <cstdint>

// Results of ReadEntryHeader.
enum HeaderResult : int {
  kHeaderValid = 1,       // a usable entry; its fields are filled in
  kHeaderEnd = 0,         // 20 bytes or fewer remain at the offset: the archive has ended
  kHeaderMalformed = -1,  // not a usable entry; Problem says why
};

// Why a header is malformed, in the order in which the checks are made.
enum HeaderProblem : int {
  kHeaderSound = 0,
  kBadMagic,               // the four magic bytes differ
  kHeaderPastEnd,          // the header does not end before the end of the archive
  kNoNameField,            // the header size leaves no name field (below 21)
  kEmptyName,              // the name starts with its NUL
  kDataPastEnd,            // the stored data runs past the end of the archive
  kSizeTooLarge,           // a size or the next offset reaches 2^31
  kUnpackedExceedsStored,  // a stored entry would write more bytes than it stores
  kUnsafeName,             // the name field is not one safe relative path ending in its NUL
  kWindowsName,            // a component is a device name or ends with a dot or a space
};

// One entry's header fields, known to lie inside the archive once the result is kHeaderValid.
struct EntryHeader {
  uint32_t HeaderSize;
  uint32_t Method;
  uint32_t StoredSize;
  uint32_t UnpackedSize;
  const uint8_t* NameField;  // NameFieldSize bytes, the last one the name's NUL
  uint32_t NameFieldSize;
  const uint8_t* Data;  // StoredSize bytes
  uint32_t NextOffset;  // offset of the next entry, at most the archive size
  HeaderProblem Problem;
};

// Reads the header at offset of the size-byte archive. Returns a HeaderResult and fills entry.
// Reads only archive[offset..size-1]; any offset, also one near 2^32, is safe.
int ReadEntryHeader(const uint8_t* archive, uint32_t offset, uint32_t size, EntryHeader* entry);
