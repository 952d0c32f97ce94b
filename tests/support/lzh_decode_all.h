// Test-only driver of the decoder: decodes a whole entry the way the extractor does, in chunks
// of 8,192 bytes, from an exact-size copy of the stream (so that AddressSanitizer sees any read
// past its end), and reports whether DecodeFailed was set after any chunk.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct DecodeResult {
  std::string Bytes;
  bool Failed = false;
};

// Decodes unpackedSize bytes from stream[0..streamSize-1] in chunks of 8192 bytes.
DecodeResult DecodeAll(const uint8_t* stream, size_t streamSize, uint32_t unpackedSize);
DecodeResult DecodeAll(const std::vector<uint8_t>& stream, uint32_t unpackedSize);
DecodeResult DecodeAll(const std::string& stream, uint32_t unpackedSize);

// Returns the decoder and its window to their state at program start (all zero).
void ResetDecoder();
