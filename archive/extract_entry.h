// Extraction of one payload archive entry to a file below the destination directory, and the
// locked, piecewise file write it uses. Portable: the platform is reached through file_ops.h. Uses
// the decoder's DecodeWindow; allocates nothing; knows nothing of the program above it.
#pragma once

#include <cstdint>

#include "archive/file_ops.h"

constexpr uint32_t kWritePieceSize = 0x7FFF;  // largest single write: 32,767 bytes, not 32,768
constexpr uint32_t kExtractPathLimit = 256;   // composed path plus its NUL must stay below this
// The longest composed output path in characters (destination, separator, name), as the packer
// checks it and the host tool reports it.
#define KPX_MAX_OUTPUT_PATH 253
constexpr uint32_t kMaxOutputPath = KPX_MAX_OUTPUT_PATH;
static_assert(kMaxOutputPath + 3 == kExtractPathLimit, "the limit counts the NUL and one spare");

// Results of ExtractEntry. A positive result is the offset of the next entry.
enum ExtractResult : int {
  kExtractEnd = 0,                 // fewer than 21 bytes remain at the offset; nothing created
  kExtractMalformedHeader = -1,    // bad header, unsafe name or over-long path; nothing created
  kExtractDecodeFailed = -2,       // compressed entry: decoding or a write failed; file deleted
  kExtractStoredWriteFailed = -5,  // stored entry: the write failed; file deleted
  kExtractCannotCreateFile = -6,   // the output file cannot be created, or a link lies on its
                                   // way; not announced
};

// Told once an entry's output file has been created, before any of its data is written: path is
// its full path (fewer than kExtractPathLimit bytes with the NUL).
typedef void (*OutputFileCreated)(const char* path);

// Results of WriteLocked.
enum WriteLockedResult : int {
  kWriteShort = 0,     // a piece was not written whole
  kWriteComplete = 1,  // every byte was written
};

// Extracts the entry at offset of the size-byte archive into the directory destination (absolute;
// with or without a trailing '\'), telling created (which may be null) of the output file. Returns
// the next entry's offset or an ExtractResult. Reads only archive[0..size-1]. No link below the
// destination is followed, even one swapped in while the entry is extracted.
int ExtractEntry(const uint8_t* archive, uint32_t offset, uint32_t size, const char* destination,
                 OutputFileCreated created);

// Writes length bytes at the file's current position in pieces of at most kWritePieceSize, under
// one lock over the whole range. Returns a WriteLockedResult.
int WriteLocked(FileHandle file, const uint8_t* bytes, uint32_t length);
