// The -lh5- encoder: drives the match finder, the parse and the block writer over one entry.
// Host only.
//
// Algorithm
// ---------
// The entry is cut into segments of at most 65,535 bytes, so that no block can exceed the 16-bit
// symbol count. Greedy and lazy parses write one block per segment. The optimal parse finds the
// matches of a segment once, parses it several times (the first pass priced by the previous
// segment's codes, each later pass by the codes of the pass before), and then chooses block
// boundaries by halving the tokens while two blocks measure smaller than one.
#include "packer/lzh_encoder/lzh_encoder.h"

#include <algorithm>

#include "packer/lzh_encoder/bit_writer.h"
#include "packer/lzh_encoder/block_writer.h"
#include "packer/lzh_encoder/lzh_format.h"
#include "packer/lzh_encoder/match_finder.h"
#include "packer/lzh_encoder/parser.h"

namespace lzh {
namespace {

constexpr uint32_t kSegmentBytes = kMaxBlockSymbols;
constexpr uint32_t kMinSplitTokens = 512;

void WriteTokens(const Token* tokens, uint32_t count, BitWriter& out, BlockPlan& plan) {
  PlanBlock(tokens, count, plan);
  WriteBlock(plan, tokens, out);
}

uint64_t BlockBits(const Token* tokens, uint32_t count) {
  BlockPlan plan;
  PlanBlock(tokens, count, plan);
  return plan.HeaderBits + plan.BodyBits;
}

// Writes tokens as one block or, when the halves measure smaller, as the split halves (recursing
// up to depth more times). Leaves the last written block's plan in plan.
void WriteSplit(const Token* tokens, uint32_t count, int depth, BitWriter& out, BlockPlan& plan) {
  if (depth > 0 && count >= 2 * kMinSplitTokens) {
    uint32_t half = count / 2;
    uint64_t whole = BlockBits(tokens, count);
    if (BlockBits(tokens, half) + BlockBits(tokens + half, count - half) < whole) {
      WriteSplit(tokens, half, depth - 1, out, plan);
      WriteSplit(tokens + half, count - half, depth - 1, out, plan);
      return;
    }
  }
  WriteTokens(tokens, count, out, plan);
}

void EncodeOptimal(const uint8_t* data, uint32_t size, const EncoderSettings& s, BitWriter& out) {
  TreeMatchFinder finder(data, size, s.ChainDepth, s.NiceLength);
  SegmentMatches segment;
  std::vector<Token> tokens;
  SymbolCosts costs;
  DefaultCosts(costs);
  SeedLiteralCosts(data, std::min(kSegmentBytes, size), costs);
  BlockPlan plan;
  for (uint32_t begin = 0; begin < size; begin += kSegmentBytes) {
    uint32_t end = begin + std::min(kSegmentBytes, size - begin);
    CollectMatches(finder, begin, end, s.NiceLength, segment);
    for (int pass = 0; pass < s.Passes; ++pass) {
      ParseOptimal(segment, data, costs, tokens);
      if (pass + 1 < s.Passes) {
        PlanBlock(tokens.data(), uint32_t(tokens.size()), plan);
        CostsFromPlan(plan, costs);
      }
    }
    WriteSplit(tokens.data(), uint32_t(tokens.size()), s.SplitDepth, out, plan);
    CostsFromPlan(plan, costs);
  }
}

void EncodeSimple(const uint8_t* data, uint32_t size, const EncoderSettings& s, BitWriter& out) {
  MatchFinder finder(data, size, s.ChainDepth, s.NiceLength);
  std::vector<Token> tokens;
  BlockPlan plan;
  for (uint32_t begin = 0; begin < size; begin += kSegmentBytes) {
    uint32_t end = begin + std::min(kSegmentBytes, size - begin);
    tokens.clear();
    if (s.Strategy == ParseStrategy::Greedy) {
      ParseGreedy(finder, data, begin, end, tokens);
    } else {
      ParseLazy(finder, data, begin, end, tokens);
    }
    WriteTokens(tokens.data(), uint32_t(tokens.size()), out, plan);
  }
}

}  // namespace

EncoderSettings SettingsForLevel(int level) {
  if (level <= 1) return {ParseStrategy::Greedy, 8, 32, 1, 0};
  if (level <= 4) return {ParseStrategy::Lazy, 4 << level, 64, 1, 0};
  if (level >= 9) return {ParseStrategy::Optimal, 256, kMaxMatch, 4, 5};
  return {ParseStrategy::Optimal, 24 + 16 * (level - 5), 64 + 32 * (level - 5), 2, 3};
}

std::vector<uint8_t> EncodeLzh(const uint8_t* data, uint32_t size, const EncoderSettings& settings) {
  std::vector<uint8_t> stream;
  if (size == 0) return stream;
  BitWriter out(stream);
  if (settings.Strategy == ParseStrategy::Optimal) {
    EncodeOptimal(data, size, settings, out);
  } else {
    EncodeSimple(data, size, settings, out);
  }
  out.Flush();
  return stream;
}

}  // namespace lzh
