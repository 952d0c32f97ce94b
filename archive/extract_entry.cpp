// ExtractEntry and WriteLocked: one archive entry becomes one file below the destination. Portable;
// the platform is behind file_ops.h. Nothing is allocated: the archive is read in place, the path
// is composed in one stack buffer, the folders on its way are held in a FolderChain on the stack
// and decoded bytes come from the decoder's DecodeWindow.
//
// The header checks, including those that keep every file below the destination, are in
// entry_header.cpp.
#include "archive/extract_entry.h"

#include "archive/decode_entry.h"
#include "archive/entry_header.h"
#include "archive/file_ops.h"
#include "archive/payload_format.h"

namespace {

constexpr char kSeparator = '\\';

// Every component of a name takes one byte and one separator at least.
static_assert(kMaxFolderDepth * 2 >= kExtractPathLimit, "a chain holds the deepest name");

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
bool ComposeOutputPath(const char* destination, const EntryHeader& entry,
                       char (&path)[kExtractPathLimit], uint32_t* nameStart) {
  uint32_t length = 0;
  if (!CopyBounded(path, kExtractPathLimit, destination, &length)) return false;
  if (length == 0) return false;  // would place the files at the root of the current drive
  if (path[length - 1] != kSeparator) path[length++] = kSeparator;
  if (length + entry.NameFieldSize + 1 >= kExtractPathLimit) return false;
  for (uint32_t i = 0; i < entry.NameFieldSize; ++i) path[length + i] = char(entry.NameField[i]);
  *nameStart = length;
  return true;  // the field's last byte is its NUL, so path is terminated
}

// Opens destination and each folder of the name part (of path) into chain, top down, creating the
// missing ones, then creates the file in the last of them. Returns false, with what was opened
// still in chain, when a folder cannot be opened or created, is a link, or the file cannot be
// created. *fileStart receives the offset of the file's name in path.
bool CreateEntryFile(const char* destination, char* path, uint32_t nameStart, FolderChain* chain,
                     FileHandle* file, uint32_t* fileStart) {
  if (!OpenDestinationFolder(chain, destination)) return false;
  uint32_t start = nameStart;
  for (uint32_t i = nameStart;; ++i) {
    const char at = path[i];
    if (at != kSeparator && at != '\0') continue;
    path[i] = '\0';
    if (FileOpsTest.BeforeOpen) FileOpsTest.BeforeOpen(path);
    const bool ok =
        at != '\0' ? EnterFolder(chain, path, start) : CreateOutputFile(*chain, path, start, file);
    path[i] = at;
    if (!ok || at == '\0') {
      *fileStart = start;
      return ok;
    }
    start = i + 1;
  }
}

// Writes one decoded chunk to the output file (the context).
bool WriteDecodedChunk(const uint8_t* bytes, uint32_t count, void* file) {
  return WriteLocked(static_cast<FileHandle>(file), bytes, count) == kWriteComplete;
}

}  // namespace

int ExtractEntry(const uint8_t* archive, uint32_t offset, uint32_t size, const char* destination,
                 OutputFileCreated created) {
  EntryHeader entry;
  int header = ReadEntryHeader(archive, offset, size, &entry);
  if (header == kHeaderEnd) return kExtractEnd;
  if (header != kHeaderValid) return kExtractMalformedHeader;

  char path[kExtractPathLimit];
  uint32_t nameStart = 0;
  if (!ComposeOutputPath(destination, entry, path, &nameStart)) return kExtractMalformedHeader;
  FolderChain chain;
  chain.Count = 0;
  FileHandle file;
  uint32_t fileStart = 0;
  int result = kExtractCannotCreateFile;  // a link on the way is refused like an uncreatable file
  if (CreateEntryFile(destination, path, nameStart, &chain, &file, &fileStart)) {
    if (created) created(path);
    const bool compressed = entry.Method == kMethodCompressed;
    const bool written = compressed
                             ? DecodeEntry(entry.Data, entry.StoredSize, entry.UnpackedSize,
                                           WriteDecodedChunk, file) == kDecodeEntryComplete
                             : WriteLocked(file, entry.Data, entry.UnpackedSize) == kWriteComplete;
    CloseOutputFile(file);
    if (!written) DeleteOutputFile(chain, path, fileStart);
    result = written      ? int(entry.NextOffset)
             : compressed ? kExtractDecodeFailed
                          : kExtractStoredWriteFailed;
  }
  CloseFolders(&chain);
  return result;
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
