// Length-limited Huffman lengths: the limit holds on skewed counts and the code stays complete.
// (One used symbol and none: the block writer's single-symbol cases.)
#include "packer/lzh_encoder/huffman_lengths.h"

#include <vector>

#include <gtest/gtest.h>

namespace {

// Kraft sum of the lengths in units of 2^-16: exactly 65536 for a complete code.
uint64_t KraftSum(const std::vector<uint8_t>& lengths) {
  uint64_t sum = 0;
  for (uint8_t len : lengths) {
    if (len) sum += uint64_t(1) << (16 - len);
  }
  return sum;
}

TEST(HuffmanLengths, FibonacciCountsStayWithinSixteenBitsAndComplete) {
  std::vector<uint32_t> freqs(40);
  uint32_t a = 1, b = 1;
  for (uint32_t& f : freqs) {
    f = a;
    uint32_t next = a + b;
    a = b;
    b = next > 100000000 ? 100000000 : next;
  }
  std::vector<uint8_t> lengths(freqs.size());
  lzh::BuildHuffmanLengths(freqs.data(), int(freqs.size()), 16, lengths.data());
  for (uint8_t len : lengths) {
    EXPECT_GE(len, 1);
    EXPECT_LE(len, 16);
  }
  EXPECT_EQ(KraftSum(lengths), 65536u);
}

}  // namespace
