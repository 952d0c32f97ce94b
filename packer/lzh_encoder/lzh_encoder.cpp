// The -lh5- encoder: drives the match finder, the parse and the block writer over one entry.
// Host only.
//
// Algorithm
// ---------
// An entry is cut into pieces of 1 MiB, each encoded on its own (in parallel by the packer) with
// the window before it as history, so that its matches reach as far back as any; each piece is
// whole blocks, and the pieces' bit streams are joined into one. Greedy and lazy parses cut a piece into segments of at most 65,535 bytes and write one block
// per segment, so that no block can exceed the 16-bit symbol count. The optimal parse works on
// segments of four times that and keeps each block within the count when it chooses blocks. The
// optimal parse finds the matches of a segment once, parses it one or more times (the first pass
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

// Encodes data[start..size-1]; data[0..start-1] is history that matches may reach into.
void EncodeOptimal(const uint8_t* data, uint32_t start, uint32_t size, const EncoderSettings& s,
                   BitWriter& out, const EncodeProgress& progress) {
  TreeMatchFinder finder(data, size, s.ChainDepth, s.NiceLength);
  for (uint32_t pos = 0; pos < start; ++pos) finder.Skip(pos);
  SegmentMatches segment;
  std::vector<Token> tokens;
  SymbolCosts costs;
  DefaultCosts(costs);
  SeedLiteralCosts(data + start, std::min(kOptimalSegmentBytes, size - start), costs);
  BlockPlan plan;
  for (uint32_t begin = start; begin < size; begin += kOptimalSegmentBytes) {
    uint32_t end = begin + std::min(kOptimalSegmentBytes, size - begin);
    CollectMatches(finder, begin, end, s.NiceLength, segment);
    const int passes = begin == start ? s.FirstPasses : s.Passes;
    for (int pass = 0; pass < passes; ++pass) {
      ParseOptimal(segment, data, costs, 0, end - begin, tokens);
      if (pass + 1 < passes) {
        PlanBlock(tokens.data(), uint32_t(tokens.size()), plan);
        CostsFromPlan(plan, costs);
      }
    }
    WriteBlocks(segment, data, tokens, s, out, plan);
    CostsFromPlan(plan, costs);
    if (progress) progress(end - start);
  }
}

void EncodeSimple(const uint8_t* data, uint32_t start, uint32_t size, const EncoderSettings& s,
                  BitWriter& out, const EncodeProgress& progress) {
  MatchFinder finder(data, size, s.ChainDepth, s.NiceLength);
  for (uint32_t pos = 0; pos < start; ++pos) finder.Skip(pos);
  std::vector<Token> tokens;
  BlockPlan plan;
  for (uint32_t begin = start; begin < size; begin += kSegmentBytes) {
    uint32_t end = begin + std::min(kSegmentBytes, size - begin);
    tokens.clear();
    if (s.Strategy == ParseStrategy::Greedy) {
      ParseGreedy(finder, data, begin, end, tokens);
    } else {
      ParseLazy(finder, data, begin, end, tokens);
    }
    WriteTokens(tokens.data(), uint32_t(tokens.size()), out, plan);
    if (progress) progress(end - start);
  }
}

}  // namespace

// The levels, 1 to 9. Greedy and lazy parses trade depth for speed; from 5 the optimal parse adds
// passes, and deeper searches with longer nice lengths. Level 5 takes finer pieces than 6-8 for
// its block boundaries, level 9 the most passes and the most block candidates. Level 5 parses a
// segment once when the segment before left its codes (their prices are close to the segment's
// own on steady data: about 0.2 % larger output for a fifth less time); a piece's first segment,
// priced only by its literals at first, is parsed twice.
// clang-format off
constexpr EncoderSettings kLevels[] = {
    //                      chain  nice   passes: first later  piece tokens  block candidates
    {ParseStrategy::Greedy,    8,   32,           1,     1,        0,            0},   // 1
    {ParseStrategy::Lazy,     16,   64,           1,     1,        0,            0},   // 2
    {ParseStrategy::Lazy,     32,   64,           1,     1,        0,            0},   // 3
    {ParseStrategy::Lazy,     64,   64,           1,     1,        0,            0},   // 4
    {ParseStrategy::Optimal,  24,   64,           2,     1,      512,           16},   // 5
    {ParseStrategy::Optimal,  40,   96,           2,     2,      256,           32},   // 6
    {ParseStrategy::Optimal,  56,  128,           2,     2,      256,           32},   // 7
    {ParseStrategy::Optimal,  72,  160,           2,     2,      256,           32},   // 8
    {ParseStrategy::Optimal, 256, kMaxMatch,      4,     4,       64,           64},   // 9
};
// clang-format on

EncoderSettings SettingsForLevel(int level) {
  return kLevels[level < 1 ? 0 : level > 9 ? 8 : level - 1];
}

StreamPiece EncodePiece(const uint8_t* piece, uint32_t history, uint32_t size,
                        const EncoderSettings& settings, const EncodeProgress& progress) {
  StreamPiece result;
  if (size == 0) return result;
  BitWriter out(result.Bytes);
  if (settings.Strategy == ParseStrategy::Optimal) {
    EncodeOptimal(piece - history, history, history + size, settings, out, progress);
  } else {
    EncodeSimple(piece - history, history, history + size, settings, out, progress);
  }
  result.BitCount = out.BitCount();
  out.Flush();
  return result;
}

void AppendPiece(const StreamPiece& piece, BitWriter& out) {
  const uint64_t wholeBytes = piece.BitCount / 8;
  for (uint64_t i = 0; i < wholeBytes; ++i) out.Put(piece.Bytes[i], 8);
  const int rest = int(piece.BitCount % 8);
  if (rest > 0) out.Put(uint32_t(piece.Bytes[wholeBytes]) >> (8 - rest), rest);
}

std::vector<uint8_t> EncodeLzh(const uint8_t* data, uint32_t size, const EncoderSettings& settings,
                               const EncodeProgress& progress) {
  std::vector<uint8_t> stream;
  BitWriter out(stream);
  for (uint32_t begin = 0; begin < size; begin += kPieceBytes) {
    const uint32_t length = std::min(kPieceBytes, size - begin);
    const EncodeProgress pieceProgress = [&](uint32_t done) {
      if (progress) progress(begin + done);
    };
    AppendPiece(EncodePiece(data + begin, PieceHistory(begin), length, settings, pieceProgress),
                out);
  }
  out.Flush();
  return stream;
}

}  // namespace lzh
