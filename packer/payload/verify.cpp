// Checks compressed entries with the program's own decoder. Host only.
#include "packer/payload/verify.h"

#include <cstring>

#include "archive/decode_entry.h"
#include "archive/lzh_decoder.h"

namespace {

// Compares each chunk with the next bytes of the original (the context: a cursor into it).
bool MatchesOriginal(const uint8_t* bytes, uint32_t count, void* cursor) {
  const uint8_t*& next = *static_cast<const uint8_t**>(cursor);
  if (std::memcmp(bytes, next, count) != 0) return false;
  next += count;
  return true;
}

}  // namespace

bool DecodesTo(const std::vector<uint8_t>& stream, const uint8_t* original, uint32_t size,
               const uint8_t* window) {
  if (window) std::memcpy(DecodeWindow, window, kDecodeWindowSize);
  const uint8_t* next = original;
  return DecodeEntry(stream.data(), uint32_t(stream.size()), size, MatchesOriginal, &next) ==
         kDecodeEntryComplete;
}
