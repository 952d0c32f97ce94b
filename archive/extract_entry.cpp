// ExtractEntry and WriteLocked: one archive entry becomes one file below the destination. Portable;
// the platform is behind file_ops.h. Nothing is allocated: the archive is read in place, the path
// is composed in one stack buffer and decoded bytes come from the decoder's DecodeWindow.
//
// Beyond the format's own checks, the header is refused (kExtractMalformedHeader) when reading or
// writing it could leave its bounds: a name field shorter than one byte, data running past the end
// of the archive, a stored entry claiming more bytes than it stores, sizes of 2^31 or more, a next
// offset that an int cannot report, and any name that could place a file outside the destination.
#include "archive/extract_entry.h"

#include "archive/lzh_decoder.h"
#include "archive/payload_format.h"
#include "setup/setup_state.h"

namespace {

constexpr char kSeparator = '\\';

// One entry's header fields, known to lie inside the archive.
struct EntryView {
  uint32_t HeaderSize;
  uint32_t Method;
  uint32_t StoredSize;
  uint32_t UnpackedSize;
  const uint8_t* NameField;  // HeaderSize - kFixedHeaderSize bytes, the last one the NUL
  uint32_t NameFieldSize;
  const uint8_t* Data;       // StoredSize bytes
  uint32_t NextOffset;
};

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

// True when the name field is one relative path with its NUL as the last byte only, no ':' or '/'
// (drive letters, streams, other separators), and no empty or dot-only component, so that the file
// lands below the destination. Assumes fieldSize >= 1.
bool IsSafeEntryName(const uint8_t* field, uint32_t fieldSize) {
  const uint8_t* end = field + fieldSize - 1;  // the NUL
  if (*end != '\0') return false;
  const uint8_t* componentStart = field;
  for (const uint8_t* c = field; c <= end; ++c) {
    if (*c == ':' || *c == '/' || (*c == '\0' && c != end)) return false;
    if (*c == kSeparator || c == end) {
      if (IsUnsafeComponent(componentStart, c)) return false;
      componentStart = c + 1;
    }
  }
  return true;
}

// Checks the fields that bound the entry inside the archive; fills entry. Returns 1 for a usable
// entry, kExtractEnd or kExtractMalformedHeader. Reads only archive[offset..size-1].
int ReadEntryBounds(const uint8_t* archive, uint32_t offset, uint32_t size, EntryView* entry) {
  // Written as a subtraction so that offsets near 2^32 cannot wrap around.
  if (offset >= size || size - offset <= kFixedHeaderSize) return kExtractEnd;
  const uint8_t* header = archive + offset;
  const uint32_t remaining = size - offset;
  if (!MagicMatches(header)) return kExtractMalformedHeader;
  entry->HeaderSize = ReadLe32(header + kHeaderSizeOffset);
  if (entry->HeaderSize >= remaining) return kExtractMalformedHeader;  // header must end before the end
  if (entry->HeaderSize <= kFixedHeaderSize) return kExtractMalformedHeader;  // no name field
  if (header[kNameOffset] == '\0') return kExtractMalformedHeader;  // empty name
  entry->Method = ReadLe32(header + kMethodOffset);
  entry->StoredSize = ReadLe32(header + kStoredSizeOffset);
  entry->UnpackedSize = ReadLe32(header + kUnpackedSizeOffset);
  if (entry->StoredSize > remaining - entry->HeaderSize) return kExtractMalformedHeader;
  entry->NextOffset = offset + entry->HeaderSize + entry->StoredSize;  // <= size: no wrap
  if (entry->NextOffset > kMaxEntrySize) return kExtractMalformedHeader;  // an int cannot report it
  entry->NameField = header + kNameOffset;
  entry->NameFieldSize = entry->HeaderSize - kFixedHeaderSize;
  entry->Data = header + entry->HeaderSize;
  return 1;
}

// Completes the header checks on a bounded entry: sizes and the name. True when it may be written.
bool IsWritableEntry(const EntryView& entry) {
  if (entry.UnpackedSize > kMaxEntrySize) return false;
  if (entry.Method != kMethodCompressed && entry.UnpackedSize > entry.StoredSize) return false;
  return IsSafeEntryName(entry.NameField, entry.NameFieldSize);
}

// Composes destination + '\' (unless present) + the name field into path. Returns false when the
// destination is empty or the composed path reaches kExtractPathLimit with its NUL; path is then
// unspecified. Returns the offset of the name part in *nameStart.
bool ComposeOutputPath(const char* destination, const EntryView& entry, char (&path)[kPathSize],
                       uint32_t* nameStart) {
  uint32_t length = 0;
  while (destination[length] != '\0') {
    if (length + 1 >= kExtractPathLimit) return false;
    path[length] = destination[length];
    ++length;
  }
  if (length == 0) return false;  // would place the files at the root of the current drive
  if (path[length - 1] != kSeparator) path[length++] = kSeparator;
  if (length + entry.NameFieldSize + 1 >= kExtractPathLimit) return false;
  for (uint32_t i = 0; i < entry.NameFieldSize; ++i) path[length + i] = char(entry.NameField[i]);
  *nameStart = length;
  return true;  // the field's last byte is its NUL, so path is terminated
}

// Creates every missing directory of the name part, top down. A prefix that can be made the
// current directory exists (and becomes current); otherwise it is created, and a failure shows up
// only when the file cannot be created.
void CreateEntryDirectories(char* path, uint32_t nameStart) {
  for (uint32_t i = nameStart; path[i] != '\0'; ++i) {
    if (path[i] != kSeparator) continue;
    path[i] = '\0';
    if (!SetCurrentDirectoryTo(path)) (void)CreateDirectoryAt(path);
    path[i] = kSeparator;
  }
}

// Decodes the entry in full chunks (all but the last) and writes each chunk. True on success.
bool WriteCompressedData(FileHandle file, const EntryView& entry) {
  DecodeFailed = 0;
  DecodeStart(entry.Data, entry.StoredSize);
  uint32_t remaining = entry.UnpackedSize;  // below 2^31, checked with the header
  while (remaining > 0) {
    uint32_t count = remaining < kDecodeWindowSize ? remaining : kDecodeWindowSize;
    DecodeChunk(count, DecodeWindow);
    if (DecodeFailed) return false;  // the damaged chunk is not written
    if (WriteLocked(file, DecodeWindow, count) == kWriteShort) return false;
    remaining -= count;
  }
  return true;
}

// Counts the new file, names it for the progress display and repaints before any data is written.
void AnnounceOutputFile(const char* path) {
  int i = 0;
  for (; path[i] != '\0' && i < kPathSize - 1; ++i) Setup.CurrentFile[i] = path[i];
  Setup.CurrentFile[i] = '\0';
  ++Setup.FilesDone;
  RepaintProgress();
}

}  // namespace

int ExtractEntry(const uint8_t* archive, uint32_t offset, uint32_t size, const char* destination) {
  EntryView entry;
  int bounds = ReadEntryBounds(archive, offset, size, &entry);
  if (bounds != 1) return bounds;
  if (!IsWritableEntry(entry)) return kExtractMalformedHeader;

  char path[kPathSize];
  uint32_t nameStart = 0;
  if (!ComposeOutputPath(destination, entry, path, &nameStart)) return kExtractMalformedHeader;
  CreateEntryDirectories(path, nameStart);

  FileHandle file;
  if (!CreateOutputFile(path, &file)) return kExtractCannotCreateFile;
  AnnounceOutputFile(path);

  if (entry.Method == kMethodCompressed) {
    bool written = WriteCompressedData(file, entry);
    CloseOutputFile(file);
    if (!written) DeleteOutputFile(path);
    return written ? int(entry.NextOffset) : kExtractDecodeFailed;
  }
  bool written = WriteLocked(file, entry.Data, entry.UnpackedSize) == kWriteComplete;
  CloseOutputFile(file);
  if (!written) DeleteOutputFile(path);
  return written ? int(entry.NextOffset) : kExtractStoredWriteFailed;
}

// Reads the position first so that the lock covers exactly the bytes about to be written.
int WriteLocked(FileHandle file, const uint8_t* bytes, uint32_t length) {
  const uint32_t position = GetFilePosition(file);
  LockFileRange(file, position, length);
  for (uint32_t done = 0; done < length;) {
    uint32_t piece = length - done < kWritePieceSize ? length - done : kWritePieceSize;
    if (WriteFilePiece(file, bytes + done, piece) != piece) {
      UnlockFileRange(file, position, length);
      return kWriteShort;
    }
    done += piece;
  }
  UnlockFileRange(file, position, length);
  return kWriteComplete;
}
