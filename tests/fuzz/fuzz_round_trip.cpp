// libFuzzer target: the encoder and the decoder together. The first input byte b picks the level
// (1 + b % 9) and the scale (b / 9). At scale 0 the rest is the data; at scale s the next byte
// sets the longest fragment (1 + byte % 16) and the data is s * 16 KiB of fragments of the rest
// taken from seeded places, so that a short input makes blocks as long as the format allows and a
// block whose symbols pass its header's count shows. The data is
// compressed and decoded again in 8,192-byte chunks, over a window full of a pattern so that a
// match reaching before the data shows up. Any difference, or a decoding failure, aborts.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "archive/decode_entry.h"
#include "archive/lzh_decoder.h"
#include "packer/lzh_encoder/lzh_encoder.h"

namespace {

constexpr uint32_t kScaleBytes = 16 * 1024;

// scale * kScaleBytes bytes of fragments of source[0..size-1] (size >= 1), from a generator
// seeded by the source, so that an input always gives the same data.
std::vector<uint8_t> Expand(const uint8_t* source, uint32_t size, uint32_t scale,
                            uint32_t longest) {
  uint32_t state = 2166136261u;
  for (uint32_t i = 0; i < size; ++i) state = (state ^ source[i]) * 16777619u;
  const auto next = [&state] {
    state ^= state << 13;
    state ^= state >> 17;
    state ^= state << 5;
    return state;
  };
  std::vector<uint8_t> data;
  data.reserve(scale * kScaleBytes);
  while (data.size() < scale * kScaleBytes) {
    uint32_t from = next() % size, length = 1 + next() % longest;
    for (uint32_t i = 0; i < length && data.size() < scale * kScaleBytes; ++i)
      data.push_back(source[(from + i) % size]);
  }
  return data;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* input, size_t size) {
  if (size < 1) return 0;
  const int level = 1 + input[0] % 9;
  const uint32_t scale = input[0] / 9;
  std::vector<uint8_t> expanded;
  if (scale > 0 && size > 2)
    expanded = Expand(input + 2, uint32_t(size - 2), scale, 1 + input[1] % 16u);
  const uint8_t* original = scale > 0 ? expanded.data() : input + 1;
  const uint32_t length = scale > 0 ? uint32_t(expanded.size()) : uint32_t(size - 1);
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
