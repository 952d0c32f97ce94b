// ExtractEntry and WriteLocked: one archive entry becomes one file below the destination. Portable;
// the platform is behind file_ops.h. Nothing is allocated: the archive is read in place, the path
// is composed in one stack buffer and decoded bytes come from the decoder's DecodeWindow.
//
// The header checks, including those that keep every file below the destination, are in
// entry_header.cpp.
#include "archive/extract_entry.h"

#include "archive/decode_entry.h"
#include "archive/entry_header.h"
#include "archive/payload_format.h"
#include "setup/setup_state.h"

namespace {

constexpr char kSeparator = '\\';

// Copies text with its NUL into out, which holds capacity bytes. Returns false, with out holding
// a truncated copy, when text does not fit; *length receives the copied length without the NUL.
bool CopyBounded(char* out, uint32_t capacity, const char* text, uint32_t* length) {
  uint32_t i = 0;
  for (; text[i] != '\0'; ++i) {
    if (i + 1 >= capacity) {
      out[i] = '\0';
      *length = i;
      return false;
    }
    out[i] = text[i];
  }
  out[i] = '\0';
  *length = i;
  return true;
}

// Composes destination + '\' (unless present) + the name field into path. Returns false when the
// destination is empty or the composed path reaches kExtractPathLimit with its NUL; path is then
// unspecified. Returns the offset of the name part in *nameStart.
bool ComposeOutputPath(const char* destination, const EntryHeader& entry, char (&path)[kPathSize],
                       uint32_t* nameStart) {
  uint32_t length = 0;
  if (!CopyBounded(path, kExtractPathLimit, destination, &length)) return false;
  if (length == 0) return false;  // would place the files at the root of the current drive
  if (path[length - 1] != kSeparator) path[length++] = kSeparator;
  if (length + entry.NameFieldSize + 1 >= kExtractPathLimit) return false;
  for (uint32_t i = 0; i < entry.NameFieldSize; ++i) path[length + i] = char(entry.NameField[i]);
  *nameStart = length;
  return true;  // the field's last byte is its NUL, so path is terminated
}

// Creates every missing directory of the name part, top down. A prefix that can be made the
// current directory exists (and becomes current); otherwise it is created, and a failure shows up
// only when the file cannot be created. Returns false, entering nothing further, at a prefix that
// is a link: below the destination no link is followed.
bool CreateEntryDirectories(char* path, uint32_t nameStart) {
  for (uint32_t i = nameStart; path[i] != '\0'; ++i) {
    if (path[i] != kSeparator) continue;
    path[i] = '\0';
    const bool link = IsLinkAt(path);
    if (!link && !SetCurrentDirectoryTo(path)) (void)CreateDirectoryAt(path);
    path[i] = kSeparator;
    if (link) return false;
  }
  return true;
}

// Writes one decoded chunk to the output file (the context).
bool WriteDecodedChunk(const uint8_t* bytes, uint32_t count, void* file) {
  return WriteLocked(static_cast<FileHandle>(file), bytes, count) == kWriteComplete;
}

// Counts the new file, names it for the progress display and repaints before any data is written.
void AnnounceOutputFile(const char* path) {
  uint32_t length;
  (void)CopyBounded(Setup.CurrentFile, kPathSize, path, &length);  // path is below kPathSize
  ++Setup.FilesDone;
  RepaintProgress();
}

}  // namespace

int ExtractEntry(const uint8_t* archive, uint32_t offset, uint32_t size, const char* destination) {
  EntryHeader entry;
  int header = ReadEntryHeader(archive, offset, size, &entry);
  if (header == kHeaderEnd) return kExtractEnd;
  if (header != kHeaderValid) return kExtractMalformedHeader;

  char path[kPathSize];
  uint32_t nameStart = 0;
  if (!ComposeOutputPath(destination, entry, path, &nameStart)) return kExtractMalformedHeader;
  FileHandle file;
  if (!CreateEntryDirectories(path, nameStart) || IsLinkAt(path) || !CreateOutputFile(path, &file))
    return kExtractCannotCreateFile;  // a link on the way is refused like an uncreatable file
  AnnounceOutputFile(path);

  if (entry.Method == kMethodCompressed) {
    bool written = DecodeEntry(entry.Data, entry.StoredSize, entry.UnpackedSize, WriteDecodedChunk,
                               file) == kDecodeEntryComplete;
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
