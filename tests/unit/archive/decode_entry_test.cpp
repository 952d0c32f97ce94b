// Whole-entry decoding: a stream may not be read past its stored bytes. The streams are two
// blocks of single-symbol codes (52 header bits each, no bits per symbol), so 13 bytes hold
// exactly 104 bits and the last byte is all zero: a cut stream would still give the right bytes,
// only the bit count tells. Both decoder forms are compared chunk by chunk (DecodeAll).
#include "archive/decode_entry.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/support/bit_writer.h"
#include "tests/support/lzh_decode_all.h"

namespace {

constexpr uint32_t kFirstBlock = 3;       // "AAA"
constexpr uint32_t kSecondBlock = 20000;  // 'B's, across three chunks
constexpr uint32_t kWhole = kFirstBlock + kSecondBlock;

std::vector<uint8_t> TwoBlocks() {
  BitWriter out;
  out.Put(kFirstBlock, 16);
  WriteSingleSymbolCodes(out, 0, 'A', 0);
  out.Put(kSecondBlock, 16);
  WriteSingleSymbolCodes(out, 0, 'B', 0);
  return out.Bytes();
}

bool Collect(const uint8_t* bytes, uint32_t count, void* delivered) {
  static_cast<std::string*>(delivered)->append(reinterpret_cast<const char*>(bytes), count);
  return true;
}

TEST(DecodeEntry, UsesNoBitBeyondTheStoredBytes) {
  const std::vector<uint8_t> whole = TwoBlocks();
  ASSERT_EQ(13u, whole.size());
  const std::vector<uint8_t> cut(whole.begin(), whole.end() - 1);
  const std::string expected = std::string(kFirstBlock, 'A') + std::string(kSecondBlock, 'B');
  struct Row {
    const char* what;
    std::vector<uint8_t> stream;
    uint32_t unpacked;
    DecodeEntryResult result;
    uint32_t delivered;  // bytes handed on before the end
  } rows[] = {
      {"every stored bit used, none more", whole, kWhole, kDecodeEntryComplete, kWhole},
      {"unpacked size one byte too large", whole, kWhole + 1, kDecodeEntryDamaged, 2 * 8192},
      {"last byte cut (found in the first chunk)", cut, kWhole, kDecodeEntryDamaged, 0},
      {"no stored bytes", {}, 1, kDecodeEntryDamaged, 0},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    ResetDecoder();
    EXPECT_EQ(row.result == kDecodeEntryDamaged, DecodeAll(row.stream, row.unpacked).Failed);
    std::string delivered;
    EXPECT_EQ(row.result, DecodeEntry(row.stream.empty() ? nullptr : row.stream.data(),
                                      uint32_t(row.stream.size()), row.unpacked, Collect,
                                      &delivered));
    EXPECT_EQ(expected.substr(0, row.delivered), delivered);
  }
}

}  // namespace
