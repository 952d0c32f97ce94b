// Hash-chain match finder over the 8,192-byte window of one entry. Host only.
#pragma once

#include <cstdint>
#include <cstring>
#include <vector>

namespace lzh {

struct Match {
  uint16_t Length;    // 3..256
  uint16_t Position;  // d: the match starts d + 1 bytes back (0..8191)
};

static_assert(__BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__, "CommonLength reads words little-endian");

// The length of the common prefix of a and b, at least from and at most limit; the bytes before
// from are known to match, and limit bytes are readable at both. Inline: the match finders call it
// for every candidate.
inline uint32_t CommonLength(const uint8_t* a, const uint8_t* b, uint32_t from, uint32_t limit) {
  uint32_t len = from;
  while (len + 8 <= limit) {
    uint64_t x, y;
    std::memcpy(&x, a + len, 8);
    std::memcpy(&y, b + len, 8);
    if (x != y) return len + uint32_t(__builtin_ctzll(x ^ y) >> 3);  // little-endian host
    len += 8;
  }
  while (len < limit && a[len] == b[len]) ++len;
  return len;
}

class MatchFinder {
 public:
  // data[0..size-1] is the whole entry; matches never reach before data[0] nor past data[size-1].
  // chainDepth bounds the candidates examined per position; a match of niceLength or more ends
  // the search early.
  MatchFinder(const uint8_t* data, uint32_t size, int chainDepth, int niceLength);

  // Returns the longest match at pos (Length 0 when there is none) and inserts pos. Positions must
  // be visited in increasing order, each exactly once through FindLongest or Skip.
  Match FindLongest(uint32_t pos);

  // Inserts pos into the chains without searching.
  void Skip(uint32_t pos);

 private:
  uint32_t Hash(uint32_t pos) const;
  template <typename OnMatch>
  void Search(uint32_t pos, OnMatch onMatch);

  const uint8_t* data_;
  uint32_t size_;
  int chainDepth_;
  int niceLength_;
  std::vector<int32_t> head_;  // newest position per hash, -1 when none
  std::vector<int32_t> prev_;  // previous position with the same hash, indexed pos % size
};

}  // namespace lzh
