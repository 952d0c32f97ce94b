// The block chooser: blocks cover the tokens within the symbol count, and cuts fall where the
// data changes, off the grid of the pieces too, and nowhere else.
#include "packer/lzh_encoder/block_chooser.h"

#include <numeric>
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace {

using lzh::Token;

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
  } cases[] = {{1, 512, 16},      {511, 512, 16},   {1500, 512, 16},  {65535, 512, 16},
               {65536, 512, 16},  {200000, 512, 1}, {200000, 64, 64}, {140000, 65535, 1}};
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
