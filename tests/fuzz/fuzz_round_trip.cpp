// libFuzzer target: the encoder and the decoder together. The first input byte picks the level
// (1 + byte % 9); the rest is the data, which is compressed and decoded again in 8,192-byte
// chunks, over a window full of a pattern so that a match reaching before the data shows up.
// Any difference, or a decoding failure, aborts.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "archive/decode_entry.h"
#include "archive/lzh_decoder.h"
#include "packer/lzh_encoder/lzh_encoder.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1) return 0;
  const int level = 1 + data[0] % 9;
  const uint8_t* original = data + 1;
  const uint32_t length = uint32_t(size - 1);
  std::vector<uint8_t> stream = lzh::EncodeLzh(original, length, lzh::SettingsForLevel(level));
  std::memset(&Lzh, 0, sizeof Lzh);
  std::memset(DecodeWindow, 0xA5, sizeof DecodeWindow);
  const uint8_t* next = original;
  const auto matches = [](const uint8_t* bytes, uint32_t count, void* cursor) {
    const uint8_t*& expected = *static_cast<const uint8_t**>(cursor);
    if (std::memcmp(bytes, expected, count) != 0) return false;
    expected += count;
    return true;
  };
  if (DecodeEntry(stream.data(), uint32_t(stream.size()), length, matches, &next) !=
      kDecodeEntryComplete)
    std::abort();
  return 0;
}
