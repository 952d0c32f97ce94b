// The parse: greedy, lazy, and a cost-driven optimal parse. Host only.
//
// Algorithm (optimal)
// -------------------
// The matches of every position in a segment are found first (CollectMatches). ParseOptimal then
// walks the segment backwards: best[i] is the cheapest cost from position i to the segment end,
// over a literal or any match length at i. For each reported match, the lengths from one past the
// previous (shorter, nearer) match up to its own length are tried with its position, since a
// nearer match is never dearer for the lengths it covers. A forward walk over the choices gives
// the tokens. The caller repeats the parse with costs taken from the code lengths of the previous
// result, which converges in a few passes.
#include "packer/lzh_encoder/parser.h"

#include <algorithm>
#include <cmath>

namespace lzh {

void ParseGreedy(MatchFinder& finder, const uint8_t* data, uint32_t begin, uint32_t end,
                 std::vector<Token>& tokens) {
  for (uint32_t pos = begin; pos < end;) {
    Match m = finder.FindLongest(pos);
    uint32_t len = std::min<uint32_t>(m.Length, end - pos);
    if (len < uint32_t(kMinMatch)) {
      tokens.push_back({0, data[pos++]});
      continue;
    }
    tokens.push_back({uint16_t(len), m.Position});
    for (uint32_t k = 1; k < len; ++k) finder.Skip(pos + k);
    pos += len;
  }
}

void ParseLazy(MatchFinder& finder, const uint8_t* data, uint32_t begin, uint32_t end,
               std::vector<Token>& tokens) {
  uint32_t pos = begin;
  Match current = pos < end ? finder.FindLongest(pos) : Match{0, 0};
  while (pos < end) {
    uint32_t len = std::min<uint32_t>(current.Length, end - pos);
    if (len < uint32_t(kMinMatch)) {
      tokens.push_back({0, data[pos++]});
      if (pos < end) current = finder.FindLongest(pos);
      continue;
    }
    Match next = pos + 1 < end ? finder.FindLongest(pos + 1) : Match{0, 0};
    if (std::min<uint32_t>(next.Length, end - pos - 1) > len) {
      tokens.push_back({0, data[pos++]});
      current = next;
      continue;
    }
    tokens.push_back({uint16_t(len), current.Position});
    for (uint32_t k = 2; k < len; ++k) finder.Skip(pos + k);
    pos += len;
    if (pos < end) current = finder.FindLongest(pos);
  }
}

void DefaultCosts(SymbolCosts& costs) {
  for (int s = 0; s < kLiteralSymbols; ++s) costs.LitLen[s] = 8 * kCostScale;
  for (int s = kLiteralSymbols; s < kLitLenSymbols; ++s) {
    int len = s - kMatchSymbolBase;
    costs.LitLen[s] = (len < 8 ? 6 : len < 32 ? 9 : 12) * kCostScale;
  }
  for (int j = 0; j < kPositionSymbols; ++j)
    costs.Position[j] = (4 + PositionExtraBits(j)) * kCostScale;
}

void SeedLiteralCosts(const uint8_t* data, uint32_t size, SymbolCosts& costs) {
  uint32_t counts[kLiteralSymbols] = {};
  for (uint32_t i = 0; i < size; ++i) counts[data[i]]++;
  for (int s = 0; s < kLiteralSymbols; ++s) {
    double bits = counts[s] ? std::log2(double(size) / counts[s]) : 16.0;
    costs.LitLen[s] = uint32_t(std::clamp(bits, 1.0, 16.0) * kCostScale);
  }
}

void CostsFromPlan(const BlockPlan& plan, SymbolCosts& costs) {
  int longest = 0;
  for (int s = 0; s < kLitLenSymbols; ++s) longest = std::max<int>(longest, plan.LitLenLengths[s]);
  for (int s = 0; s < kLitLenSymbols; ++s) {
    int bits = plan.LitLenSingle >= 0  ? (s == plan.LitLenSingle ? 0 : 8)
               : plan.LitLenLengths[s] ? plan.LitLenLengths[s]
                                       : std::min(longest + 2, 16);
    costs.LitLen[s] = uint32_t(bits) * kCostScale;
  }
  int longestPos = 0;
  for (int j = 0; j < kPositionSymbols; ++j)
    longestPos = std::max<int>(longestPos, plan.PositionLengths[j]);
  for (int j = 0; j < kPositionSymbols; ++j) {
    int bits = plan.PositionSingle >= 0  ? (j == plan.PositionSingle ? 0 : 4)
               : plan.PositionLengths[j] ? plan.PositionLengths[j]
                                         : longestPos + 2;
    costs.Position[j] = uint32_t(bits + PositionExtraBits(j)) * kCostScale;
  }
}

void CollectMatches(TreeMatchFinder& finder, uint32_t begin, uint32_t end, int niceLength,
                    SegmentMatches& segment) {
  segment.Begin = begin;
  segment.End = end;
  segment.First.assign(1, 0);
  segment.Matches.clear();
  uint32_t skipUntil = begin;
  for (uint32_t pos = begin; pos < end; ++pos) {
    if (pos < skipUntil) {
      finder.Skip(pos);
    } else if (finder.FindMatches(pos, segment.Matches) > 0) {
      uint32_t longest = segment.Matches.back().Length;
      if (longest >= uint32_t(niceLength)) skipUntil = pos + longest;
    }
    segment.First.push_back(uint32_t(segment.Matches.size()));
  }
}

void ParseOptimal(const SegmentMatches& segment, const uint8_t* data, const SymbolCosts& costs,
                  uint32_t from, uint32_t to, std::vector<Token>& tokens) {
  uint32_t size = to - from;
  std::vector<uint32_t> best(size + 1, 0);
  std::vector<Token> choice(size);
  const uint8_t* bytes = data + segment.Begin + from;
  const uint32_t* first = segment.First.data() + from;
  const Match* matches = segment.Matches.data();
  const uint32_t* lengthCost = costs.LitLen + kMatchSymbolBase;  // by match length
  for (uint32_t i = size; i-- > 0;) {
    uint32_t bestCost = costs.LitLen[bytes[i]] + best[i + 1];
    Token bestToken{0, bytes[i]};
    const uint32_t* ahead = best.data() + i;  // ahead[len]: the cost after a match of len
    uint32_t room = size - i, len = kMinMatch;
    for (uint32_t m = first[i]; m < first[i + 1] && len <= room; ++m) {
      // The match's position costs the same for every length it covers, so the lengths are
      // compared against what is left of the best cost once it is paid.
      uint32_t top = std::min<uint32_t>(matches[m].Length, room);
      uint32_t positionCost = costs.Position[PositionClass(matches[m].Position)];
      if (positionCost >= bestCost) {
        len = top + 1;
        continue;
      }
      uint32_t bound = bestCost - positionCost, bestLen = 0;
      for (; len <= top; ++len) {
        uint32_t c = lengthCost[len] + ahead[len];
        if (c < bound) {
          bound = c;
          bestLen = len;
        }
      }
      if (bestLen != 0) {
        bestCost = bound + positionCost;
        bestToken = Token{uint16_t(bestLen), matches[m].Position};
      }
    }
    best[i] = bestCost;
    choice[i] = bestToken;
  }
  tokens.clear();
  for (uint32_t i = 0; i < size;) {
    tokens.push_back(choice[i]);
    i += choice[i].Length == 0 ? 1 : choice[i].Length;
  }
}

}  // namespace lzh
