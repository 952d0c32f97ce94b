// Chooses where the blocks of an optimally parsed segment begin and end. Host only.
//
// Algorithm
// ---------
// A block pays for its header (often 100 bytes) and gains by codes fitted to its own symbols, so
// block boundaries belong where the data changes, which may be anywhere. The tokens are cut into
// small equal pieces; then, by measured sizes, the adjacent pair whose merge saves most (or costs
// least) is merged, again and again, until few pieces remain. Their boundaries are the places
// where a cut mattered at the fine grain. Dynamic programming over those pieces then finds the
// cheapest grouping into blocks, each within the 16-bit symbol count. Last, each boundary between
// two blocks is moved by 512 tokens either way while that lowers their bits, then by 256, and so
// on down to 16, so that it need not stay on the grid of the pieces; a boundary whose two blocks
// then measure fewer bits as one is dropped.
//
// Optimizations
// -------------
// Pieces are merged in place through next/previous links, and only the gains of the merged
// piece's two neighbouring pairs are measured again: about five block measurements per piece,
// where a search over all groupings of the small pieces would take one per pair of pieces. The
// next pair to merge comes from a priority queue whose stale entries are skipped.
#include "packer/lzh_encoder/block_chooser.h"

#include <algorithm>
#include <climits>
#include <queue>
#include <utility>

#include "packer/lzh_encoder/block_writer.h"

namespace lzh {
namespace {

constexpr int64_t kNoMerge = INT64_MIN;       // a pair that would exceed the block symbol count
constexpr uint32_t kPiecesPerCandidate = 16;  // at most; bounds the time on incompressible data
constexpr uint32_t kWidestMove = 512;         // boundary moves, in tokens
constexpr uint32_t kNarrowestMove = 16;

// Runs of consecutive tokens, linked in order so that neighbours merge in place. Piece 0 is never
// merged away; index Count stands for the end.
struct PieceList {
  uint32_t Count = 0;
  std::vector<uint32_t> Begin;  // first token; Begin[Count] is the token count
  std::vector<uint32_t> Next, Prev;
  std::vector<BlockFrequencies> Freqs;
  std::vector<uint64_t> Bits;      // the piece measured as one block
  std::vector<int64_t> MergeGain;  // bits saved by merging with the next piece, or kNoMerge
  BlockPlan Plan;                  // scratch for measurements
};

// Adds the frequencies of b to a.
void AddFrequencies(BlockFrequencies& a, const BlockFrequencies& b) {
  for (int i = 0; i < kLitLenSymbols; ++i) a.LitLen[i] += b.LitLen[i];
  for (int i = 0; i < kPositionSymbols; ++i) a.Position[i] += b.Position[i];
}

uint64_t MeasureBlock(const BlockFrequencies& freqs, uint32_t tokens, BlockPlan& plan) {
  PlanBlockFromFrequencies(freqs, tokens, plan);
  return plan.HeaderBits + plan.BodyBits;
}

uint32_t PieceEnd(const PieceList& p, uint32_t k) { return p.Begin[p.Next[k]]; }

// Bits saved by merging live piece k with the next one; kNoMerge when k is last or the merged
// piece would exceed one block.
int64_t MeasureMergeGain(PieceList& p, uint32_t k) {
  uint32_t m = p.Next[k];
  if (m == p.Count || PieceEnd(p, m) - p.Begin[k] > uint32_t(kMaxBlockSymbols)) return kNoMerge;
  BlockFrequencies sum = p.Freqs[k];
  AddFrequencies(sum, p.Freqs[m]);
  uint64_t merged = MeasureBlock(sum, PieceEnd(p, m) - p.Begin[k], p.Plan);
  return int64_t(p.Bits[k] + p.Bits[m]) - int64_t(merged);
}

// Cuts tokens[0..count-1] into equal pieces of about pieceTokens (at least one, at most
// kPiecesPerCandidate per candidate, none above the block symbol count) and measures them and
// their pairs.
void CutPieces(const Token* tokens, uint32_t count, uint32_t pieceTokens, uint32_t candidates,
               PieceList& p) {
  uint32_t n = std::max({1u, std::min(count / pieceTokens, kPiecesPerCandidate * candidates),
                         (count - 1) / uint32_t(kMaxBlockSymbols) + 1});
  p.Count = n;
  p.Begin.resize(n + 1);
  p.Next.resize(n + 1);
  p.Prev.resize(n + 1);
  p.Freqs.assign(n, BlockFrequencies{});
  p.Bits.resize(n);
  p.MergeGain.resize(n);
  for (uint32_t k = 0; k <= n; ++k) {
    p.Begin[k] = uint32_t(uint64_t(count) * k / n);
    p.Next[k] = k + 1;
    p.Prev[k] = k - 1;
  }
  for (uint32_t k = 0; k < n; ++k) {
    CountFrequencies(tokens + p.Begin[k], p.Begin[k + 1] - p.Begin[k], p.Freqs[k]);
    p.Bits[k] = MeasureBlock(p.Freqs[k], p.Begin[k + 1] - p.Begin[k], p.Plan);
  }
  for (uint32_t k = 0; k < n; ++k) p.MergeGain[k] = MeasureMergeGain(p, k);
}

// Merges live piece k with the next one and measures the gains that changed.
void MergeWithNext(PieceList& p, uint32_t k) {
  uint32_t m = p.Next[k];
  AddFrequencies(p.Freqs[k], p.Freqs[m]);
  p.Next[k] = p.Next[m];
  p.Prev[p.Next[m]] = k;
  p.MergeGain[m] = kNoMerge;  // m is gone
  p.Bits[k] = MeasureBlock(p.Freqs[k], PieceEnd(p, k) - p.Begin[k], p.Plan);
  p.MergeGain[k] = MeasureMergeGain(p, k);
  if (k > 0) p.MergeGain[p.Prev[k]] = MeasureMergeGain(p, p.Prev[k]);
}

// Merges the most profitable pair (the first of equals) until at most `candidates` pieces remain
// or none can merge. Returns the live pieces in order.
std::vector<uint32_t> MergePieces(PieceList& p, uint32_t candidates) {
  // Queue entries are (gain, -piece); an entry whose gain is no longer the piece's is stale.
  std::priority_queue<std::pair<int64_t, int64_t>> queue;
  auto enqueue = [&](uint32_t k) {
    if (p.MergeGain[k] != kNoMerge) queue.push({p.MergeGain[k], -int64_t(k)});
  };
  for (uint32_t k = 0; k < p.Count; ++k) enqueue(k);
  for (uint32_t live = p.Count; live > candidates && !queue.empty();) {
    int64_t gain = queue.top().first;
    uint32_t k = uint32_t(-queue.top().second);
    queue.pop();
    if (p.MergeGain[k] != gain) continue;
    MergeWithNext(p, k);
    enqueue(k);
    if (k > 0) enqueue(p.Prev[k]);
    --live;
  }
  std::vector<uint32_t> live;
  for (uint32_t k = 0; k < p.Count; k = p.Next[k]) live.push_back(k);
  return live;
}

// The cheapest grouping of the live pieces into blocks, each within the symbol count. Returns
// the blocks' first tokens followed by the token count.
std::vector<uint32_t> GroupPieces(PieceList& p, const std::vector<uint32_t>& live) {
  uint32_t n = uint32_t(live.size());
  std::vector<uint32_t> bound(n + 1, p.Begin[p.Count]);
  for (uint32_t k = 0; k < n; ++k) bound[k] = p.Begin[live[k]];
  // best[j]: fewest bits for the first j pieces; from[j]: where their last block begins.
  std::vector<uint64_t> best(n + 1, 0);
  std::vector<uint32_t> from(n + 1, 0);
  for (uint32_t j = 1; j <= n; ++j) {
    BlockFrequencies sum;
    best[j] = UINT64_MAX;
    for (uint32_t i = j; i-- > 0 && bound[j] - bound[i] <= uint32_t(kMaxBlockSymbols);) {
      AddFrequencies(sum, p.Freqs[live[i]]);
      uint64_t bits = best[i] + MeasureBlock(sum, bound[j] - bound[i], p.Plan);
      if (bits < best[j]) {
        best[j] = bits;
        from[j] = i;
      }
    }
  }
  std::vector<uint32_t> starts{bound[n]};
  for (uint32_t j = n; j > 0; j = from[j]) starts.push_back(bound[from[j]]);
  std::reverse(starts.begin(), starts.end());
  return starts;
}

// Two adjacent blocks, tokens Begin..Cut-1 and Cut..End-1, with their frequencies and bits.
struct BlockPair {
  uint32_t Begin, Cut, End;
  BlockFrequencies Left, Right;
  uint64_t Bits;
};

// Counts and measures the blocks tokens[begin..cut-1] and tokens[cut..end-1].
BlockPair MeasurePair(const Token* tokens, uint32_t begin, uint32_t cut, uint32_t end,
                      BlockPlan& plan) {
  BlockPair pair{begin, cut, end, {}, {}, 0};
  CountFrequencies(tokens + begin, cut - begin, pair.Left);
  CountFrequencies(tokens + cut, end - cut, pair.Right);
  pair.Bits =
      MeasureBlock(pair.Left, cut - begin, plan) + MeasureBlock(pair.Right, end - cut, plan);
  return pair;
}

// Moves the counts of tokens[from..to-1] from one block's frequencies to the other's.
void MoveFrequencies(const Token* tokens, uint32_t from, uint32_t to, BlockFrequencies& source,
                     BlockFrequencies& target) {
  BlockFrequencies slice;
  CountFrequencies(tokens + from, to - from, slice);
  for (int i = 0; i < kLitLenSymbols; ++i) {
    source.LitLen[i] -= slice.LitLen[i];
    target.LitLen[i] += slice.LitLen[i];
  }
  for (int i = 0; i < kPositionSymbols; ++i) {
    source.Position[i] -= slice.Position[i];
    target.Position[i] += slice.Position[i];
  }
}

// Moves the pair's boundary to cut when both blocks stay within the symbol count and measure
// fewer bits together; returns whether it moved. Assumes Begin < cut < End.
bool TryCut(const Token* tokens, uint32_t cut, BlockPair& pair, BlockPlan& plan) {
  if (cut - pair.Begin > uint32_t(kMaxBlockSymbols) || pair.End - cut > uint32_t(kMaxBlockSymbols))
    return false;
  BlockFrequencies left = pair.Left, right = pair.Right;
  if (cut < pair.Cut) {
    MoveFrequencies(tokens, cut, pair.Cut, left, right);
  } else {
    MoveFrequencies(tokens, pair.Cut, cut, right, left);
  }
  uint64_t bits =
      MeasureBlock(left, cut - pair.Begin, plan) + MeasureBlock(right, pair.End - cut, plan);
  if (bits >= pair.Bits) return false;
  pair = BlockPair{pair.Begin, cut, pair.End, left, right, bits};
  return true;
}

// Moves each inner boundary of starts (block starts, then the token count), first to last, by
// kWidestMove tokens down to kNarrowestMove while that pays.
void RefineBoundaries(const Token* tokens, std::vector<uint32_t>& starts, BlockPlan& plan) {
  for (size_t k = 1; k + 1 < starts.size(); ++k) {
    BlockPair pair = MeasurePair(tokens, starts[k - 1], starts[k], starts[k + 1], plan);
    for (uint32_t step = kWidestMove; step >= kNarrowestMove; step /= 2) {
      bool moved = false;
      while (pair.Cut - pair.Begin > step && TryCut(tokens, pair.Cut - step, pair, plan)) {
        moved = true;
      }
      // After a move back, a step forward is the place just left, known to cost more.
      while (!moved && pair.End - pair.Cut > step && TryCut(tokens, pair.Cut + step, pair, plan)) {
      }
    }
    starts[k] = pair.Cut;
  }
}

// Removes each inner boundary of starts whose two blocks measure fewer bits as one, as when two
// moved boundaries have closed in on a sliver of a block.
void DropBoundaries(const Token* tokens, std::vector<uint32_t>& starts, BlockPlan& plan) {
  for (size_t k = 1; k + 1 < starts.size();) {
    BlockPair pair = MeasurePair(tokens, starts[k - 1], starts[k], starts[k + 1], plan);
    AddFrequencies(pair.Left, pair.Right);
    bool fits = pair.End - pair.Begin <= uint32_t(kMaxBlockSymbols);
    if (fits && MeasureBlock(pair.Left, pair.End - pair.Begin, plan) < pair.Bits) {
      starts.erase(starts.begin() + long(k));
    } else {
      ++k;
    }
  }
}

}  // namespace

void ChooseBlocks(const Token* tokens, uint32_t count, uint32_t pieceTokens, uint32_t candidates,
                  std::vector<uint32_t>& sizes) {
  PieceList p;
  CutPieces(tokens, count, pieceTokens, candidates, p);
  std::vector<uint32_t> starts = GroupPieces(p, MergePieces(p, candidates));
  RefineBoundaries(tokens, starts, p.Plan);
  DropBoundaries(tokens, starts, p.Plan);
  for (size_t k = 1; k < starts.size(); ++k) sizes.push_back(starts[k] - starts[k - 1]);
}

}  // namespace lzh
