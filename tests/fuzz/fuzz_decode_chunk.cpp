// libFuzzer target: the decoder on arbitrary streams. The first 3 input bytes give the unpacked
// size (little endian, taken modulo 32,769 so that sizes up to four full chunks occur, exact
// multiples of 8,192 included); the rest is the stored stream. The stream is decoded the way the
// extractor does it, in 8,192-byte chunks, from an exact-size heap copy so that AddressSanitizer
// sees any read past its end. Decoding continues after a failure, as the decoder must allow.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "archive/lzh_decoder.h"

namespace {

constexpr size_t kSizeBytes = 3;
constexpr uint32_t kSizeModulus = 4 * kDecodeWindowSize + 1;

// The decoder's own invariants, checked after every chunk: the flag is 0 or 1, the reader never
// passes the stored bytes, and the look-ahead holds less than a word.
void CheckDecoderState(bool failedBefore) {
  if (DecodeFailed != 0 && DecodeFailed != 1) std::abort();
  if (failedBefore && DecodeFailed != 1) std::abort();  // the flag never clears itself
  if (Lzh.Bits.Next > Lzh.Bits.End) std::abort();
  if (Lzh.Bits.Count >= 8 * sizeof Lzh.Bits.Buffer) std::abort();
  if (Lzh.CopyPosition >= kDecodeWindowSize) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < kSizeBytes) return 0;
  const uint32_t unpacked =
      (uint32_t(data[0]) | uint32_t(data[1]) << 8 | uint32_t(data[2]) << 16) % kSizeModulus;
  const size_t storedSize = size - kSizeBytes;
  // Exactly storedSize bytes; new[0] still gives a distinct pointer that must not be read.
  std::unique_ptr<uint8_t[]> stream(new uint8_t[storedSize]);
  if (storedSize != 0) std::memcpy(stream.get(), data + kSizeBytes, storedSize);

  // Each input starts from the program-start state, so that a finding replays alone.
  std::memset(&Lzh, 0, sizeof Lzh);
  std::memset(DecodeWindow, 0, sizeof DecodeWindow);
  DecodeFailed = 0;
  DecodeStart(stream.get(), static_cast<uint32_t>(storedSize));
  for (uint32_t done = 0; done < unpacked;) {
    const uint32_t count =
        unpacked - done < kDecodeWindowSize ? unpacked - done : kDecodeWindowSize;
    const bool failedBefore = DecodeFailed != 0;
    DecodeChunk(count, DecodeWindow);
    CheckDecoderState(failedBefore);
    done += count;
  }
  return 0;
}
