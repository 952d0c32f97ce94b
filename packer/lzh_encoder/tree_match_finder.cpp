// Binary-tree match finder over the 8,192-byte window of one entry. Host only.
//
// Algorithm
// ---------
// The positions with the same 3-byte hash form a binary search tree ordered by the bytes that
// follow them, rooted at the newest position. Inserting a position walks down from the old root,
// comparing the new suffix with each node; each node goes to the new root's "smaller" or
// "greater" side, and the walk continues on the side that can still share a longer prefix. Every
// node met is a match candidate, and the longest common prefixes grow along the walk, so the
// matches come out with increasing lengths at no extra cost. Nodes more than 8,192 bytes back
// end the walk.
//
// Optimizations
// -------------
// The walk tracks the common prefix with the nearest smaller and greater nodes; a new node
// shares at least the lesser of the two, so comparison starts there. children_ is a ring of
// twice the window, so that the slot of a position 8,192 bytes back (the farthest match) is not
// the slot of the position being inserted.
#include "packer/lzh_encoder/tree_match_finder.h"

#include <algorithm>

#include "packer/lzh_encoder/lzh_format.h"
#include "packer/lzh_encoder/match_finder.h"

namespace lzh {
namespace {

constexpr int kHashBits = 16;
constexpr uint32_t kRingMask = 2 * kWindowSize - 1;

uint32_t Hash3(const uint8_t* p) {
  uint32_t v = uint32_t(p[0]) << 16 | uint32_t(p[1]) << 8 | p[2];
  return (v * 2654435761u) >> (32 - kHashBits);
}

}  // namespace

TreeMatchFinder::TreeMatchFinder(const uint8_t* data, uint32_t size, int depth, int niceLength)
    : data_(data),
      size_(size),
      depth_(depth),
      niceLength_(niceLength),
      head_(size_t(1) << kHashBits, -1),
      children_(2 * (2 * kWindowSize), -1) {}

// Inserts pos and, when out is given, appends its matches. Returns the number appended.
int TreeMatchFinder::Advance(uint32_t pos, std::vector<Match>* out) {
  if (pos + kMinMatch > size_) return 0;
  const uint8_t* current = data_ + pos;
  uint32_t limit = std::min<uint32_t>(kMaxMatch, size_ - pos);
  uint32_t nice = std::min<uint32_t>(uint32_t(niceLength_), limit);
  uint32_t h = Hash3(current);
  int32_t node = head_[h];
  head_[h] = int32_t(pos);
  int32_t* smaller = &children_[2 * (pos & kRingMask)];
  int32_t* greater = smaller + 1;
  uint32_t smallerLen = 0, greaterLen = 0, best = kMinMatch - 1;
  int found = 0;
  for (int depth = depth_;;) {
    if (node < 0 || pos - uint32_t(node) > uint32_t(kWindowSize) || depth-- == 0) {
      *smaller = *greater = -1;
      return found;
    }
    const uint8_t* old = data_ + node;
    uint32_t len = CommonLength(old, current, std::min(smallerLen, greaterLen), limit);
    if (len > best) {
      best = len;
      if (out) out->push_back(Match{uint16_t(len), uint16_t(pos - uint32_t(node) - 1)});
      ++found;
    }
    int32_t* nodeChildren = &children_[2 * (uint32_t(node) & kRingMask)];
    if (len >= nice) {  // the node's subtrees become the new root's; the node itself drops out
      *smaller = nodeChildren[0];
      *greater = nodeChildren[1];
      return found;
    }
    if (old[len] < current[len]) {
      *smaller = node;
      smaller = &nodeChildren[1];
      smallerLen = len;
      node = *smaller;
    } else {
      *greater = node;
      greater = &nodeChildren[0];
      greaterLen = len;
      node = *greater;
    }
  }
}

int TreeMatchFinder::FindMatches(uint32_t pos, std::vector<Match>& out) {
  return Advance(pos, &out);
}

void TreeMatchFinder::Skip(uint32_t pos) { Advance(pos, nullptr); }

}  // namespace lzh
