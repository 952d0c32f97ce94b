// Block coding: length-limited Huffman lengths stay within 16 bits and complete; the block writer
// chooses the single-symbol code forms, which decode; the block chooser's blocks cover the tokens
// within the symbol count, and its cuts fall where the data changes, off the grid of the pieces
// too, and nowhere else.
#include "packer/lzh_encoder/block_writer.h"

#include <algorithm>
#include <numeric>
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "packer/lzh_encoder/block_chooser.h"
#include "packer/lzh_encoder/huffman_lengths.h"
#include "tests/support/lzh_decode_all.h"

namespace {

using lzh::Token;

TEST(HuffmanLengths, SkewedCountsStayWithinSixteenBitsAndComplete) {
  // Each power of two outweighs all smaller ones together: unlimited codes run far past 16 bits.
  std::vector<uint32_t> freqs(40);
  for (size_t i = 0; i < freqs.size(); ++i) freqs[i] = uint32_t(1) << std::min<size_t>(i, 24);
  std::vector<uint8_t> lengths(freqs.size());
  lzh::BuildHuffmanLengths(freqs.data(), int(freqs.size()), 16, lengths.data());
  uint64_t kraftSum = 0;  // in units of 2^-16: exactly 65536 for a complete code
  for (uint8_t len : lengths) {
    EXPECT_TRUE(len >= 1 && len <= 16) << int(len);
    kraftSum += uint64_t(1) << (16 - std::min<int>(len, 16));
  }
  EXPECT_EQ(kraftSum, 65536u);
}

// The bytes that tokens stand for.
std::string Expand(const std::vector<Token>& tokens) {
  std::string out;
  for (const Token& t : tokens) {
    if (t.Length == 0) out.push_back(char(t.Value));
    for (int k = 0; k < t.Length; ++k) out.push_back(out[out.size() - t.Value - 1]);
  }
  return out;
}

TEST(BlockWriter, SingleSymbolCodesDecodeAndAreChosen) {
  std::vector<Token> everyLiteral;
  for (int b = 0; b < 256; ++b) everyLiteral.push_back({0, uint16_t(b)});
  const struct {
    const char* name;
    std::vector<Token> tokens;
    bool litLenSingle, codeLenSingle;
  } cases[] = {
      {"one literal only", std::vector<Token>(50, Token{0, 'q'}), true, true},
      {"all matches at distance 1", {{0, 'a'}, {0, 'b'}, {5, 0}, {0, 'c'}, {9, 0}}, false, false},
      {"no matches at all", {{0, 'x'}, {0, 'y'}, {0, 'x'}}, false, false},
      {"every literal once, all lengths 8", everyLiteral, false, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    lzh::BlockPlan plan;
    std::vector<uint8_t> stream;
    lzh::BitWriter out(stream);
    lzh::PlanBlock(c.tokens.data(), uint32_t(c.tokens.size()), plan);
    lzh::WriteBlock(plan, c.tokens.data(), out);
    out.Flush();
    EXPECT_EQ(plan.LitLenSingle >= 0, c.litLenSingle);
    EXPECT_EQ(plan.CodeLenSingle >= 0, c.codeLenSingle);
    const auto& p = plan.PositionLengths;  // one distance, or none at all
    EXPECT_TRUE(plan.PositionSingle >= 0 || *std::max_element(std::begin(p), std::end(p)) == 0);
    const std::string expected = Expand(c.tokens);
    DecodeResult r = DecodeAll(stream, uint32_t(expected.size()));
    EXPECT_FALSE(r.Failed);
    EXPECT_EQ(r.Bytes, expected);
  }
}

// count literal tokens drawn uniformly from the bytes first..first+range-1.
std::vector<Token> Literals(uint32_t count, int first, int range, uint32_t seed) {
  std::mt19937 rng(seed);
  std::vector<Token> tokens;
  for (uint32_t i = 0; i < count; ++i) tokens.push_back(Token{0, uint16_t(first + rng() % range)});
  return tokens;
}

std::vector<uint32_t> Choose(const std::vector<Token>& tokens, uint32_t pieceTokens,
                             uint32_t candidates) {
  std::vector<uint32_t> sizes;
  lzh::ChooseBlocks(tokens.data(), uint32_t(tokens.size()), pieceTokens, candidates, sizes);
  return sizes;
}

TEST(BlockChooser, BlocksCoverTheTokensWithinTheSymbolCount) {
  struct Case {
    uint32_t count, pieceTokens, candidates;
  } cases[] = {{1, 512, 16},     {511, 512, 16},   {1500, 512, 16},  {65535, 512, 16},
               {65536, 512, 16}, {200000, 512, 1}, {200000, 64, 64}, {140000, 65535, 1}};
  for (const Case& c : cases) {
    SCOPED_TRACE("count " + std::to_string(c.count) + " pieces of " +
                 std::to_string(c.pieceTokens));
    std::vector<uint32_t> sizes =
        Choose(Literals(c.count, 0, 256, c.count), c.pieceTokens, c.candidates);
    EXPECT_EQ(std::accumulate(sizes.begin(), sizes.end(), uint64_t(0)), c.count);
    for (uint32_t size : sizes) {
      EXPECT_GE(size, 1u);
      EXPECT_LE(size, 65535u);
    }
  }
}

// Four letters (two bits each) then any bytes (eight bits each): one cut, on the change or within
// the finest boundary move of it, also off the grid of the pieces.
TEST(BlockChooser, CutsWhereTheDataChanges) {
  for (uint32_t change : {8192u, 8392u, 5003u, 700u}) {
    SCOPED_TRACE("change at " + std::to_string(change));
    std::vector<Token> tokens = Literals(change, 'a', 4, change);
    std::vector<Token> noise = Literals(8192, 0, 256, 2);
    tokens.insert(tokens.end(), noise.begin(), noise.end());
    std::vector<uint32_t> sizes = Choose(tokens, 512, 16);
    ASSERT_EQ(sizes.size(), 2u);
    EXPECT_NEAR(double(sizes[0]), double(change), 15.0);
  }
}

// Random draws from a small alphabet may rightly be cut (each block then gives its short codes
// to the letters it happens to hold more of), so the steady cases are noise over all bytes and a
// cycle whose pieces hold the same letters.
TEST(BlockChooser, KeepsSteadyDataInOneBlock) {
  EXPECT_EQ(Choose(Literals(30000, 0, 256, 3), 512, 16), (std::vector<uint32_t>{30000}));
  std::vector<Token> cycle;
  for (int i = 0; i < 30000; ++i) cycle.push_back(Token{0, uint16_t('a' + i % 20)});
  EXPECT_EQ(Choose(cycle, 128, 32), (std::vector<uint32_t>{30000}));
}

}  // namespace
