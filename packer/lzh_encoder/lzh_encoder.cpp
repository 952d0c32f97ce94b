// The -lh5- encoder: drives the match finder, the parse and the block writer over one entry.
// Host only.
//
// Algorithm
// ---------
// Greedy and lazy parses cut the entry into segments of at most 65,535 bytes and write one block
// per segment, so that no block can exceed the 16-bit symbol count. The optimal parse works on
// segments of four times that and keeps each block within the count when it chooses blocks. The optimal parse finds the
// matches of a segment once, parses it several times (the first pass priced by the previous
// segment's codes, each later pass by the codes of the pass before), then chooses block
// boundaries among equal pieces of the parse by their measured sizes, and parses each block once
// more under its own codes.
#include "packer/lzh_encoder/lzh_encoder.h"

#include <algorithm>

#include "packer/lzh_encoder/bit_writer.h"
#include "packer/lzh_encoder/block_writer.h"
#include "packer/lzh_encoder/lzh_format.h"
#include "packer/lzh_encoder/match_finder.h"
#include "packer/lzh_encoder/parser.h"

namespace lzh {
namespace {

constexpr uint32_t kSegmentBytes = kMaxBlockSymbols;        // greedy and lazy: one block each
constexpr uint32_t kOptimalSegmentBytes = 4 * kMaxBlockSymbols;
constexpr uint32_t kMinSplitTokens = 1024;

void WriteTokens(const Token* tokens, uint32_t count, BitWriter& out, BlockPlan& plan) {
  PlanBlock(tokens, count, plan);
  WriteBlock(plan, tokens, out);
}

// Adds the frequencies of b to a.
void AddFrequencies(BlockFrequencies& a, const BlockFrequencies& b) {
  for (int i = 0; i < kLitLenSymbols; ++i) a.LitLen[i] += b.LitLen[i];
  for (int i = 0; i < kPositionSymbols; ++i) a.Position[i] += b.Position[i];
}

// Chooses block sizes (in tokens) for tokens[0..count-1]: the tokens are cut into 2^depth equal
// pieces (none below kMinSplitTokens), and the cheapest grouping of consecutive pieces into
// blocks is found by dynamic programming over measured block sizes. Appends the sizes in order.
void ChooseBlocks(const Token* tokens, uint32_t count, int depth, std::vector<uint32_t>& sizes) {
  uint32_t pieces = 1u << depth;
  while (pieces > 1 && count / pieces < kMinSplitTokens) pieces /= 2;
  while (count / pieces >= kMaxBlockSymbols) pieces *= 2;  // every piece fits one block
  std::vector<uint32_t> bound(pieces + 1);
  std::vector<BlockFrequencies> freqs(pieces);
  for (uint32_t k = 0; k <= pieces; ++k) bound[k] = uint32_t(uint64_t(count) * k / pieces);
  for (uint32_t k = 0; k < pieces; ++k) CountFrequencies(tokens + bound[k], bound[k + 1] - bound[k], freqs[k]);
  std::vector<uint64_t> best(pieces + 1, 0);
  std::vector<uint32_t> from(pieces + 1, 0);
  BlockPlan plan;
  for (uint32_t j = 1; j <= pieces; ++j) {
    BlockFrequencies sum;
    best[j] = UINT64_MAX;
    for (uint32_t i = j; i-- > 0 && bound[j] - bound[i] <= uint32_t(kMaxBlockSymbols);) {
      AddFrequencies(sum, freqs[i]);
      PlanBlockFromFrequencies(sum, bound[j] - bound[i], plan);
      uint64_t bits = best[i] + plan.HeaderBits + plan.BodyBits;
      if (bits < best[j]) {
        best[j] = bits;
        from[j] = i;
      }
    }
  }
  size_t first = sizes.size();
  for (uint32_t j = pieces; j > 0; j = from[j]) sizes.push_back(bound[j] - bound[from[j]]);
  std::reverse(sizes.begin() + first, sizes.end());
}

uint32_t TokenBytes(const Token* tokens, uint32_t count) {
  uint32_t bytes = 0;
  for (uint32_t i = 0; i < count; ++i) bytes += tokens[i].Length == 0 ? 1 : tokens[i].Length;
  return bytes;
}

// Writes the segment's parse as the chosen blocks. With more than one block, each block's bytes
// are parsed once more under its own codes before it is written. Leaves the last plan in plan.
void WriteBlocks(const SegmentMatches& segment, const uint8_t* data, const std::vector<Token>& tokens,
                 int splitDepth, BitWriter& out, BlockPlan& plan) {
  std::vector<uint32_t> sizes;
  ChooseBlocks(tokens.data(), uint32_t(tokens.size()), splitDepth, sizes);
  if (sizes.size() == 1) {
    WriteTokens(tokens.data(), uint32_t(tokens.size()), out, plan);
    return;
  }
  std::vector<Token> reparsed;
  SymbolCosts costs;
  uint32_t token = 0, byte = 0;
  for (uint32_t count : sizes) {
    uint32_t bytes = TokenBytes(tokens.data() + token, count);
    PlanBlock(tokens.data() + token, count, plan);
    CostsFromPlan(plan, costs);
    ParseOptimal(segment, data, costs, byte, byte + bytes, reparsed);
    WriteTokens(reparsed.data(), uint32_t(reparsed.size()), out, plan);
    token += count;
    byte += bytes;
  }
}

void EncodeOptimal(const uint8_t* data, uint32_t size, const EncoderSettings& s, BitWriter& out,
                   const EncodeProgress& progress) {
  TreeMatchFinder finder(data, size, s.ChainDepth, s.NiceLength);
  SegmentMatches segment;
  std::vector<Token> tokens;
  SymbolCosts costs;
  DefaultCosts(costs);
  SeedLiteralCosts(data, std::min(kOptimalSegmentBytes, size), costs);
  BlockPlan plan;
  for (uint32_t begin = 0; begin < size; begin += kOptimalSegmentBytes) {
    uint32_t end = begin + std::min(kOptimalSegmentBytes, size - begin);
    CollectMatches(finder, begin, end, s.NiceLength, segment);
    for (int pass = 0; pass < s.Passes; ++pass) {
      ParseOptimal(segment, data, costs, 0, end - begin, tokens);
      if (pass + 1 < s.Passes) {
        PlanBlock(tokens.data(), uint32_t(tokens.size()), plan);
        CostsFromPlan(plan, costs);
      }
    }
    WriteBlocks(segment, data, tokens, s.SplitDepth, out, plan);
    CostsFromPlan(plan, costs);
    if (progress) progress(end);
  }
}

void EncodeSimple(const uint8_t* data, uint32_t size, const EncoderSettings& s, BitWriter& out,
                  const EncodeProgress& progress) {
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
    if (progress) progress(end);
  }
}

}  // namespace

EncoderSettings SettingsForLevel(int level) {
  if (level <= 1) return {ParseStrategy::Greedy, 8, 32, 1, 0};
  if (level <= 4) return {ParseStrategy::Lazy, 4 << level, 64, 1, 0};
  if (level >= 9) return {ParseStrategy::Optimal, 256, kMaxMatch, 4, 6};
  return {ParseStrategy::Optimal, 24 + 16 * (level - 5), 64 + 32 * (level - 5), 2, 4};
}

std::vector<uint8_t> EncodeLzh(const uint8_t* data, uint32_t size, const EncoderSettings& settings,
                               const EncodeProgress& progress) {
  std::vector<uint8_t> stream;
  if (size == 0) return stream;
  BitWriter out(stream);
  if (settings.Strategy == ParseStrategy::Optimal) {
    EncodeOptimal(data, size, settings, out, progress);
  } else {
    EncodeSimple(data, size, settings, out, progress);
  }
  out.Flush();
  return stream;
}

}  // namespace lzh
