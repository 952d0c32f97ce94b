// Entry header checks. Portable. All offset arithmetic is unsigned and written as subtractions from
// the archive size, so that no sum can wrap around.
#include "archive/entry_header.h"

#include "archive/payload_format.h"
#include "archive/windows_names.h"

namespace {

constexpr char kSeparator = '\\';

bool MagicMatches(const uint8_t* header) {
  for (uint32_t i = 0; i < sizeof(kEntryMagic); ++i) {
    if (header[kMagicOffset + i] != kEntryMagic[i]) return false;
  }
  return true;
}

// A name component that is empty, or only dots and spaces ("." and ".." and what Windows trims to
// them), could name the destination's parent or the directory itself.
bool IsUnsafeComponent(const uint8_t* start, const uint8_t* end) {
  for (const uint8_t* c = start; c < end; ++c) {
    if (*c != '.' && *c != ' ') return false;
  }
  return true;
}

// kHeaderSound when the name field is one relative path with its NUL as the last byte only, no ':'
// or '/' (drive letters, streams, other separators), no unsafe component, so that the file lands
// below the destination, and no component that Windows would make a device of or trim. Assumes
// fieldSize >= 1.
HeaderProblem EntryNameProblem(const uint8_t* field, uint32_t fieldSize) {
  const uint8_t* end = field + fieldSize - 1;  // the NUL
  if (*end != '\0') return kUnsafeName;
  const uint8_t* componentStart = field;
  for (const uint8_t* c = field; c <= end; ++c) {
    if (*c == ':' || *c == '/' || (*c == '\0' && c != end)) return kUnsafeName;
    if (*c == kSeparator || c == end) {
      if (IsUnsafeComponent(componentStart, c)) return kUnsafeName;
      if (WindowsComponentRule(componentStart, c) != kNameKept) return kWindowsName;
      componentStart = c + 1;
    }
  }
  return kHeaderSound;
}

int Malformed(EntryHeader* entry, HeaderProblem problem) {
  entry->Problem = problem;
  return kHeaderMalformed;
}

// The checks on sizes and the name, once the header is known to lie inside the archive.
int CheckEntryContents(EntryHeader* entry) {
  if (entry->UnpackedSize > kMaxEntrySize) return Malformed(entry, kSizeTooLarge);
  if (entry->Method != kMethodCompressed && entry->UnpackedSize > entry->StoredSize) {
    return Malformed(entry, kUnpackedExceedsStored);
  }
  const HeaderProblem name = EntryNameProblem(entry->NameField, entry->NameFieldSize);
  return name == kHeaderSound ? kHeaderValid : Malformed(entry, name);
}

}  // namespace

int ReadEntryHeader(const uint8_t* archive, uint32_t offset, uint32_t size, EntryHeader* entry) {
  entry->Problem = kHeaderSound;
  if (offset >= size || size - offset <= kFixedHeaderSize) return kHeaderEnd;
  const uint8_t* header = archive + offset;
  const uint32_t remaining = size - offset;
  if (!MagicMatches(header)) return Malformed(entry, kBadMagic);
  entry->HeaderSize = ReadLe32(header + kHeaderSizeOffset);
  if (entry->HeaderSize >= remaining) return Malformed(entry, kHeaderPastEnd);
  if (entry->HeaderSize <= kFixedHeaderSize) return Malformed(entry, kNoNameField);
  if (header[kNameOffset] == '\0') return Malformed(entry, kEmptyName);
  entry->Method = ReadLe32(header + kMethodOffset);
  entry->StoredSize = ReadLe32(header + kStoredSizeOffset);
  entry->UnpackedSize = ReadLe32(header + kUnpackedSizeOffset);
  entry->NameField = header + kNameOffset;
  entry->NameFieldSize = entry->HeaderSize - kFixedHeaderSize;
  entry->Data = header + entry->HeaderSize;
  if (entry->StoredSize > remaining - entry->HeaderSize) return Malformed(entry, kDataPastEnd);
  entry->NextOffset = offset + entry->HeaderSize + entry->StoredSize;  // at most size: no wrap
  if (entry->NextOffset > kMaxEntrySize) return Malformed(entry, kSizeTooLarge);  // int results
  return CheckEntryContents(entry);
}
