// libFuzzer target: the program's decoder against the reference decoder on arbitrary streams.
// Input: 3 bytes give the unpacked size (little endian, modulo 32,769, so up to four full chunks
// and exact multiples of 8,192 occur); 1 byte gives the size of a second entry in 64-byte units
// (0: none); the rest is the stored stream, decoded from an exact-size heap copy. Both decoders
// start from the program-start state and decode the entry, then the second entry from the same
// stream (whose matches before its first byte read what the first entry left in the window,
// and whose failed builds keep the first entry's tables). After every chunk the two windows and
// flags must agree and the decoder's own invariants must hold; anything else aborts.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "archive/lzh_decoder.h"
#include "bench/reference_lzh_decoder.h"

namespace {

constexpr size_t kHeaderBytes = 4;
constexpr uint32_t kSizeModulus = 4 * kDecodeWindowSize + 1;
constexpr uint32_t kSecondEntryUnit = 64;

// The decoder's own invariants, checked after every chunk: the flag is 0 or 1 and never clears
// itself, the reader never passes the stored bytes, and the look-ahead holds less than a word.
void CheckDecoderState(bool failedBefore) {
  if (DecodeFailed != 0 && DecodeFailed != 1) std::abort();
  if (failedBefore && DecodeFailed != 1) std::abort();
  if (Lzh.Bits.Next > Lzh.Bits.End) std::abort();
  if (Lzh.Bits.Count >= 8 * sizeof Lzh.Bits.Buffer) std::abort();
  if (Lzh.CopyPosition >= kDecodeWindowSize) std::abort();
}

// Decodes one entry with both decoders, comparing each chunk; aborts at the first difference.
void DecodeBoth(const uint8_t* stream, uint32_t storedSize, uint32_t unpacked) {
  DecodeFailed = 0;
  reference::DecodeFailed = 0;
  DecodeStart(stream, storedSize);
  reference::DecodeStart(stream, storedSize);
  for (uint32_t done = 0; done < unpacked;) {
    const uint32_t count =
        unpacked - done < kDecodeWindowSize ? unpacked - done : kDecodeWindowSize;
    const bool failedBefore = DecodeFailed != 0;
    DecodeChunk(count, DecodeWindow);
    CheckDecoderState(failedBefore);
    reference::DecodeChunk(count, reference::DecodeWindow);
    if (std::memcmp(DecodeWindow, reference::DecodeWindow, count) != 0) std::abort();
    if (DecodeFailed != reference::DecodeFailed) std::abort();
    done += count;
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < kHeaderBytes) return 0;
  const uint32_t unpacked =
      (uint32_t(data[0]) | uint32_t(data[1]) << 8 | uint32_t(data[2]) << 16) % kSizeModulus;
  const uint32_t second = uint32_t(data[3]) * kSecondEntryUnit;
  const uint32_t storedSize = static_cast<uint32_t>(size - kHeaderBytes);
  // Exactly storedSize bytes; new[0] still gives a distinct pointer that must not be read.
  std::unique_ptr<uint8_t[]> stream(new uint8_t[storedSize]);
  if (storedSize != 0) std::memcpy(stream.get(), data + kHeaderBytes, storedSize);

  std::memset(&Lzh, 0, sizeof Lzh);
  std::memset(DecodeWindow, 0, sizeof DecodeWindow);
  reference::Reset();
  DecodeBoth(stream.get(), storedSize, unpacked);
  if (second != 0) DecodeBoth(stream.get(), storedSize, second);
  return 0;
}
