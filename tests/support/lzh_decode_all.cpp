// Whole-entry decoding for the decoder's tests.
#include "tests/support/lzh_decode_all.h"

#include <cstring>
#include <memory>

#include "archive/lzh_decoder.h"

DecodeResult DecodeAll(const uint8_t* stream, size_t streamSize, uint32_t unpackedSize) {
  // Exactly streamSize bytes on the heap: one byte more read is an ASan error.
  std::unique_ptr<uint8_t[]> copy(new uint8_t[streamSize == 0 ? 1 : streamSize]);
  if (streamSize != 0) std::memcpy(copy.get(), stream, streamSize);
  const uint8_t* input = streamSize == 0 ? nullptr : copy.get();
  DecodeResult result;
  DecodeFailed = 0;
  DecodeStart(input, static_cast<uint32_t>(streamSize));
  for (uint32_t done = 0; done < unpackedSize;) {
    const uint32_t count =
        unpackedSize - done < kDecodeWindowSize ? unpackedSize - done : kDecodeWindowSize;
    DecodeChunk(count, DecodeWindow);
    result.Failed = result.Failed || DecodeFailed != 0;
    result.Bytes.append(reinterpret_cast<const char*>(DecodeWindow), count);
    done += count;
  }
  return result;
}

DecodeResult DecodeAll(const std::vector<uint8_t>& stream, uint32_t unpackedSize) {
  return DecodeAll(stream.data(), stream.size(), unpackedSize);
}

DecodeResult DecodeAll(const std::string& stream, uint32_t unpackedSize) {
  return DecodeAll(reinterpret_cast<const uint8_t*>(stream.data()), stream.size(), unpackedSize);
}

void ResetDecoder() {
  std::memset(&Lzh, 0, sizeof Lzh);
  std::memset(DecodeWindow, 0, sizeof DecodeWindow);
  DecodeFailed = 0;
}
