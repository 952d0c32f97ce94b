// The -lh5- encoder: drives the match finder, the parse and the block writer over one entry.
// Host only.
//
// Algorithm
// ---------
// Greedy and lazy parses cut the entry into segments of at most 65,535 bytes and write one block
// per segment, so that no block can exceed the 16-bit symbol count. The optimal parse works on
// segments of four times that and keeps each block within the count when it chooses blocks. The
// optimal parse finds the matches of a segment once, parses it several times (the first pass
// priced by the previous segment's codes, each later pass by the codes of the pass before), then
// chooses block boundaries in the parse by measured sizes (block_chooser.cpp), and parses each
// block once more under its own codes.
#include "packer/lzh_encoder/lzh_encoder.h"

#include <algorithm>

#include "packer/lzh_encoder/bit_writer.h"
#include "packer/lzh_encoder/block_chooser.h"
#include "packer/lzh_encoder/block_writer.h"
#include "packer/lzh_encoder/lzh_format.h"
#include "packer/lzh_encoder/match_finder.h"
#include "packer/lzh_encoder/parser.h"

namespace lzh {
namespace {

constexpr uint32_t kSegmentBytes = kMaxBlockSymbols;  // greedy and lazy: one block each
constexpr uint32_t kOptimalSegmentBytes = 4 * kMaxBlockSymbols;

void WriteTokens(const Token* tokens, uint32_t count, BitWriter& out, BlockPlan& plan) {
  PlanBlock(tokens, count, plan);
  WriteBlock(plan, tokens, out);
}

uint32_t TokenBytes(const Token* tokens, uint32_t count) {
  uint32_t bytes = 0;
  for (uint32_t i = 0; i < count; ++i) bytes += tokens[i].Length == 0 ? 1 : tokens[i].Length;
  return bytes;
}

// Writes the segment's parse as the chosen blocks. With more than one block, each block's bytes
// are parsed once more under its own codes before it is written; a new parse with more symbols
// than a block can count is dropped for the chosen tokens, which fit. Leaves the last plan in plan.
void WriteBlocks(const SegmentMatches& segment, const uint8_t* data,
                 const std::vector<Token>& tokens, const EncoderSettings& s, BitWriter& out,
                 BlockPlan& plan) {
  std::vector<uint32_t> sizes;
  ChooseBlocks(tokens.data(), uint32_t(tokens.size()), uint32_t(s.PieceTokens),
               uint32_t(s.BlockCandidates), sizes);
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
    if (reparsed.size() <= uint32_t(kMaxBlockSymbols)) {
      WriteTokens(reparsed.data(), uint32_t(reparsed.size()), out, plan);
    } else {
      WriteBlock(plan, tokens.data() + token, out);  // the new parse would overflow the count
    }
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
    WriteBlocks(segment, data, tokens, s, out, plan);
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

// The levels, 1 to 9. Greedy and lazy parses trade depth for speed; from 5 the optimal parse adds
// passes, and deeper searches with longer nice lengths. Level 5 takes finer pieces than 6-8 for
// its block boundaries, level 9 the most passes and the most block candidates.
// clang-format off
constexpr EncoderSettings kLevels[] = {
    //                      chain  nice       passes  piece tokens  block candidates
    {ParseStrategy::Greedy,    8,   32,        1,        0,            0},   // 1
    {ParseStrategy::Lazy,     16,   64,        1,        0,            0},   // 2
    {ParseStrategy::Lazy,     32,   64,        1,        0,            0},   // 3
    {ParseStrategy::Lazy,     64,   64,        1,        0,            0},   // 4
    {ParseStrategy::Optimal,  24,   64,        2,      512,           16},   // 5
    {ParseStrategy::Optimal,  40,   96,        2,      256,           32},   // 6
    {ParseStrategy::Optimal,  56,  128,        2,      256,           32},   // 7
    {ParseStrategy::Optimal,  72,  160,        2,      256,           32},   // 8
    {ParseStrategy::Optimal, 256, kMaxMatch,   4,       64,           64},   // 9
};
// clang-format on

EncoderSettings SettingsForLevel(int level) {
  return kLevels[level < 1 ? 0 : level > 9 ? 8 : level - 1];
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
