// The block writer: the single-symbol code forms are chosen and decode.
#include "packer/lzh_encoder/block_writer.h"

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

}  // namespace
