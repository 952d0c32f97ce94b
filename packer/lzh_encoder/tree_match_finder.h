// Binary-tree match finder over the 8,192-byte window of one entry, for the optimal parse.
// Host only.
#pragma once

#include <cstdint>
#include <vector>

#include "packer/lzh_encoder/match_finder.h"

namespace lzh {

class TreeMatchFinder {
 public:
  // data[0..size-1] is the whole entry; matches never reach before data[0] nor past its end.
  // depth bounds the tree nodes visited per position; a match of niceLength or more ends the walk.
  TreeMatchFinder(const uint8_t* data, uint32_t size, int depth, int niceLength);

  // Appends the matches at pos with strictly increasing lengths to out and returns how many;
  // inserts pos into the tree. Positions must be visited in increasing order, each exactly once
  // through FindMatches or Skip.
  int FindMatches(uint32_t pos, std::vector<Match>& out);

  // Inserts pos into the tree without reporting matches.
  void Skip(uint32_t pos);

 private:
  int Advance(uint32_t pos, std::vector<Match>* out);

  const uint8_t* data_;
  uint32_t size_;
  int depth_;
  int niceLength_;
  std::vector<int32_t> head_;      // newest position per 3-byte hash, -1 when none
  std::vector<int32_t> children_;  // two per ring slot: smaller and greater suffixes
};

}  // namespace lzh
