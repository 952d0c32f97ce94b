// Whole-entry decoding: a stream may not be read past its stored bytes. The stream is two blocks
// of single-symbol codes (52 header bits each, no bits per symbol), so 13 bytes hold exactly 104
// bits and the last byte is all zero: a cut stream would still give the right bytes, only the bit
// count tells. Each chunk is checked, as damage found in it keeps it from the sink.
#include "archive/decode_entry.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/support/bit_writer.h"
#include "tests/support/lzh_decode_all.h"

namespace {

bool Collect(const uint8_t* bytes, uint32_t count, void* delivered) {
  static_cast<std::string*>(delivered)->append(reinterpret_cast<const char*>(bytes), count);
  return true;
}

TEST(DecodeEntry, UsesNoBitBeyondTheStoredBytes) {
  BitWriter out;
  out.Put(3, 16);  // "AAA"
  WriteSingleSymbolCodes(out, 0, 'A', 0);
  out.Put(20000, 16);  // 'B's, across three chunks
  WriteSingleSymbolCodes(out, 0, 'B', 0);
  const std::vector<uint8_t>& whole = out.Bytes();
  ASSERT_EQ(13u, whole.size());
  const std::vector<uint8_t> cut(whole.begin(), whole.end() - 1);
  const std::string expected = "AAA" + std::string(20000, 'B');
  const uint32_t size = uint32_t(expected.size());
  const struct {
    const char* what;
    std::vector<uint8_t> stream;
    uint32_t unpacked;
    DecodeEntryResult result;
    uint32_t delivered;  // bytes handed on before the end
  } rows[] = {
      {"every stored bit used, none more", whole, size, kDecodeEntryComplete, size},
      {"unpacked size one byte too large", whole, size + 1, kDecodeEntryDamaged, 2 * 8192},
      {"last byte cut (found in the first chunk)", cut, size, kDecodeEntryDamaged, 0},
      {"no stored bytes", {}, 1, kDecodeEntryDamaged, 0},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.what);
    ResetDecoder();
    std::string delivered;
    EXPECT_EQ(row.result,
              DecodeEntry(row.stream.empty() ? nullptr : row.stream.data(),
                          uint32_t(row.stream.size()), row.unpacked, Collect, &delivered));
    EXPECT_EQ(expected.substr(0, row.delivered), delivered);
  }
}

}  // namespace
