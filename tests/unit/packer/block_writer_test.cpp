// The block writer: measured sizes are exact and the single-symbol forms decode.
#include "packer/lzh_encoder/block_writer.h"

#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/support/lzh_decode_all.h"

namespace {

using lzh::Token;

// The bytes that tokens stand for.
std::string Expand(const std::vector<Token>& tokens) {
  std::string out;
  for (const Token& t : tokens) {
    if (t.Length == 0) {
      out.push_back(char(t.Value));
    } else {
      for (int k = 0; k < t.Length; ++k) out.push_back(out[out.size() - t.Value - 1]);
    }
  }
  return out;
}

struct Written {
  lzh::BlockPlan plan;
  std::vector<uint8_t> stream;
  uint64_t bits = 0;
};

Written WriteOneBlock(const std::vector<Token>& tokens) {
  Written w;
  lzh::BitWriter out(w.stream);
  lzh::PlanBlock(tokens.data(), uint32_t(tokens.size()), w.plan);
  lzh::WriteBlock(w.plan, tokens.data(), out);
  w.bits = out.BitCount();
  out.Flush();
  return w;
}

void ExpectDecodes(const std::vector<Token>& tokens, const Written& w) {
  std::string expected = Expand(tokens);
  DecodeResult r = DecodeAll(w.stream, uint32_t(expected.size()));
  EXPECT_FALSE(r.Failed);
  EXPECT_EQ(r.Bytes, expected);
}

struct SingleCase {
  const char* name;
  std::vector<Token> tokens;
  bool litLenSingle, positionSingle, codeLenSingle;
};

std::vector<Token> AllLiteralsOnce() {
  std::vector<Token> t;
  for (int b = 0; b < 256; ++b) t.push_back({0, uint16_t(b)});
  return t;
}

TEST(BlockWriter, SingleSymbolCodesDecodeAndAreChosen) {
  std::vector<Token> literalRun(50, Token{0, 'q'});
  std::vector<Token> distanceOne = {{0, 'a'}, {0, 'b'}, {5, 0}, {0, 'c'}, {9, 0}};
  std::vector<Token> noMatches = {{0, 'x'}, {0, 'y'}, {0, 'x'}};
  const SingleCase cases[] = {
      {"one literal only", literalRun, true, true, true},
      {"all matches at distance 1", distanceOne, false, true, false},
      {"no matches at all", noMatches, false, true, false},
      {"every literal once, all lengths 8", AllLiteralsOnce(), false, true, true},
  };
  for (const SingleCase& c : cases) {
    SCOPED_TRACE(c.name);
    Written w = WriteOneBlock(c.tokens);
    EXPECT_EQ(w.plan.LitLenSingle >= 0, c.litLenSingle);
    bool noPositions = true;
    for (uint8_t len : w.plan.PositionLengths) noPositions = noPositions && len == 0;
    EXPECT_EQ(w.plan.PositionSingle >= 0 || noPositions, c.positionSingle);
    EXPECT_EQ(w.plan.CodeLenSingle >= 0, c.codeLenSingle);
    ExpectDecodes(c.tokens, w);
  }
}

TEST(BlockWriter, PlannedSizeIsTheWrittenSizeAndBlocksChain) {
  std::mt19937 rng(11);
  std::vector<uint8_t> stream;
  lzh::BitWriter out(stream);
  std::vector<Token> all;
  for (int block = 0; block < 30; ++block) {
    std::vector<Token> tokens;
    size_t produced = Expand(all).size();
    int count = 1 + int(rng() % (block < 10 ? 8 : 3000));
    for (int i = 0; i < count; ++i) {
      uint32_t back = produced > 0 ? 1 + rng() % std::min<size_t>(produced, 8192) : 0;
      if (back == 0 || rng() % 3 == 0) {
        tokens.push_back({0, uint16_t(rng() % (block % 2 ? 256 : 5))});
        ++produced;
      } else {
        uint16_t len = uint16_t(3 + rng() % (rng() % 4 == 0 ? 254 : 10));
        tokens.push_back({len, uint16_t(back - 1)});
        produced += len;
      }
    }
    lzh::BlockPlan plan;
    lzh::PlanBlock(tokens.data(), uint32_t(tokens.size()), plan);
    uint64_t before = out.BitCount();
    lzh::WriteBlock(plan, tokens.data(), out);
    ASSERT_EQ(out.BitCount() - before, plan.HeaderBits + plan.BodyBits) << "block " << block;
    all.insert(all.end(), tokens.begin(), tokens.end());
  }
  out.Flush();
  std::string expected = Expand(all);
  DecodeResult r = DecodeAll(stream, uint32_t(expected.size()));
  EXPECT_FALSE(r.Failed);
  EXPECT_TRUE(r.Bytes == expected);
}

}  // namespace
