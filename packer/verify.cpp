// Checks compressed entries with the program's own decoder. Host only.
#include "packer/verify.h"

#include <cstring>

#include "archive/lzh_decoder.h"

bool DecodesTo(const std::vector<uint8_t>& stream, const uint8_t* original, uint32_t size) {
  DecodeFailed = 0;
  DecodeStart(stream.data(), uint32_t(stream.size()));
  for (uint32_t done = 0; done < size;) {
    uint32_t count = size - done < kDecodeWindowSize ? size - done : kDecodeWindowSize;
    DecodeChunk(count, DecodeWindow);
    if (DecodeFailed != 0 || std::memcmp(DecodeWindow, original + done, count) != 0) return false;
    done += count;
  }
  return true;
}
