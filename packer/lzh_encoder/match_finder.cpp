// Hash-chain match finder over the 8,192-byte window of one entry. Host only.
//
// Algorithm
// ---------
// Every position with three bytes left is hashed on those three bytes; head_ holds the newest
// position of each hash and prev_ links each position to the previous one with the same hash.
// A search walks the chain from the newest position while the distance stays within the window,
// and reports each candidate that is longer than every one before it.
//
// Optimizations
// -------------
// A candidate is compared at its would-be new length first: one byte rejects most of them.
// prev_ is a ring of twice the window, so links older than the window are overwritten only after
// they can no longer be used.
#include "packer/lzh_encoder/match_finder.h"

#include <algorithm>

#include "packer/lzh_encoder/lzh_format.h"

namespace lzh {
namespace {

constexpr int kHashBits = 15;
constexpr uint32_t kRingMask = 2 * kWindowSize - 1;

}  // namespace

MatchFinder::MatchFinder(const uint8_t* data, uint32_t size, int chainDepth, int niceLength)
    : data_(data),
      size_(size),
      chainDepth_(chainDepth),
      niceLength_(niceLength),
      head_(size_t(1) << kHashBits, -1),
      prev_(2 * kWindowSize, -1) {}

uint32_t MatchFinder::Hash(uint32_t pos) const {
  uint32_t v = uint32_t(data_[pos]) << 16 | uint32_t(data_[pos + 1]) << 8 | data_[pos + 2];
  return (v * 2654435761u) >> (32 - kHashBits);
}

// Walks the chain at pos, calling onMatch(length, d) for each candidate longer than all before,
// then links pos into its chain. Assumes pos + 3 <= size.
template <typename OnMatch>
void MatchFinder::Search(uint32_t pos, OnMatch onMatch) {
  uint32_t h = Hash(pos);
  int32_t candidate = head_[h];
  head_[h] = int32_t(pos);
  prev_[pos & kRingMask] = candidate;
  uint32_t limit = std::min<uint32_t>(kMaxMatch, size_ - pos);
  const uint8_t* current = data_ + pos;
  uint32_t best = kMinMatch - 1;
  for (int depth = chainDepth_; candidate >= 0 && depth > 0; --depth) {
    uint32_t distance = pos - uint32_t(candidate);
    if (distance > uint32_t(kWindowSize)) break;
    const uint8_t* old = data_ + candidate;
    if (old[best] == current[best] && old[0] == current[0]) {
      uint32_t len = CommonLength(old, current, 0, limit);
      if (len > best) {
        best = len;
        onMatch(len, distance - 1);
        if (len >= limit || int(len) >= niceLength_) break;
      }
    }
    candidate = prev_[uint32_t(candidate) & kRingMask];
  }
}

Match MatchFinder::FindLongest(uint32_t pos) {
  Match longest{0, 0};
  if (pos + kMinMatch > size_) return longest;
  Search(pos, [&](uint32_t len, uint32_t d) { longest = Match{uint16_t(len), uint16_t(d)}; });
  return longest;
}

void MatchFinder::Skip(uint32_t pos) {
  if (pos + kMinMatch > size_) return;
  uint32_t h = Hash(pos);
  prev_[pos & kRingMask] = head_[h];
  head_[h] = int32_t(pos);
}

}  // namespace lzh
