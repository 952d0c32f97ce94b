// The parse: turns the bytes of an entry into literals and matches. Three strategies: greedy
// (fastest), lazy, and a cost-driven optimal parse over a segment. Host only.
#pragma once

#include <cstdint>
#include <vector>

#include "packer/lzh_encoder/block_writer.h"
#include "packer/lzh_encoder/lzh_format.h"
#include "packer/lzh_encoder/match_finder.h"
#include "packer/lzh_encoder/tree_match_finder.h"

namespace lzh {

// Greedy: takes the longest match at each position. Visits data[begin..end-1] of the finder's
// entry; appends to tokens.
void ParseGreedy(MatchFinder& finder, const uint8_t* data, uint32_t begin, uint32_t end,
                 std::vector<Token>& tokens);

// Lazy: defers a match by one byte when the next position has a longer one.
void ParseLazy(MatchFinder& finder, const uint8_t* data, uint32_t begin, uint32_t end,
               std::vector<Token>& tokens);

// Price of each symbol in 1/16 bits, the position classes including their extra bits.
struct SymbolCosts {
  uint32_t LitLen[kLitLenSymbols];
  uint32_t Position[kPositionSymbols];
};
constexpr uint32_t kCostScale = 16;

// Costs of a neutral start: literals 8 bits, short matches cheap, classes by their extra bits.
void DefaultCosts(SymbolCosts& costs);

// Prices the literals by their share of data[0..size-1], for a first parse without earlier codes.
void SeedLiteralCosts(const uint8_t* data, uint32_t size, SymbolCosts& costs);

// Costs from the code lengths of a planned block; symbols absent from it get a price a little
// above the longest present code so that the next parse may still use them.
void CostsFromPlan(const BlockPlan& plan, SymbolCosts& costs);

// The matches of every position of a segment, found once and parsed several times.
struct SegmentMatches {
  uint32_t Begin = 0, End = 0;
  std::vector<uint32_t> First;  // First[i]..First[i+1]-1 index Matches for position Begin + i
  std::vector<Match> Matches;
};

// Finds the matches of data[begin..end-1]. After a match of niceLength or more the positions it
// covers are only inserted, not searched.
void CollectMatches(TreeMatchFinder& finder, uint32_t begin, uint32_t end, int niceLength,
                    SegmentMatches& segment);

// The cheapest parse of the segment's bytes from..to-1 (offsets from its begin) under costs: the
// shortest path from to backwards; matches stop at to. Replaces tokens.
void ParseOptimal(const SegmentMatches& segment, const uint8_t* data, const SymbolCosts& costs,
                  uint32_t from, uint32_t to, std::vector<Token>& tokens);

}  // namespace lzh
