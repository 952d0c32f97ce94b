// Extraction of one payload entry to a file below a destination directory.
// STAND-IN until the extractor lands: the interface the install run calls.
#pragma once

#include <cstdint>

enum ExtractResult {
  kExtractEnd = 0,
  kExtractMalformed = -1,
  kExtractDecodeFailed = -2,
  kExtractWriteFailed = -5,
  kExtractCannotCreate = -6,
};

// Returns the offset of the next entry (> 0), or an ExtractResult.
int ExtractEntry(const uint8_t* archive, uint32_t offset, uint32_t size, const char* destination);
