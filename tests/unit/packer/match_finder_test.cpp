// The match finders: the tree finds what the full chain finds, the nearest repeat is taken, and
// nothing reaches past the window. That every reported match is real and inside the entry is
// checked where it matters, by the encoder's round trips over a dirty window (lzh_encoder_test).
#include "packer/lzh_encoder/match_finder.h"

#include <cstring>
#include <random>
#include <vector>

#include <gtest/gtest.h>

#include "packer/lzh_encoder/lzh_format.h"
#include "packer/lzh_encoder/tree_match_finder.h"

namespace {

std::vector<uint8_t> RepetitiveData(uint32_t size, uint32_t seed) {
  std::mt19937 rng(seed);
  std::vector<uint8_t> data(size);
  for (uint32_t i = 0; i < size; ++i) {
    uint32_t back = 1 + rng() % 9000;
    data[i] = (i >= back && rng() % 4 != 0) ? data[i - back] : uint8_t('a' + rng() % 4);
  }
  return data;
}

TEST(MatchFinder, TreeFindsTheLongestMatchThatTheFullChainFinds) {
  std::vector<uint8_t> data = RepetitiveData(30000, 8);
  lzh::MatchFinder chain(data.data(), uint32_t(data.size()), 100000, lzh::kMaxMatch);
  lzh::TreeMatchFinder tree(data.data(), uint32_t(data.size()), 100000, lzh::kMaxMatch);
  std::vector<lzh::Match> fromTree;
  for (uint32_t pos = 0; pos < data.size(); ++pos) {
    fromTree.clear();
    tree.FindMatches(pos, fromTree);
    lzh::Match longest = chain.FindLongest(pos);
    ASSERT_EQ(fromTree.empty() ? 0 : fromTree.back().Length, longest.Length) << pos;
  }
}

TEST(MatchFinder, FindsTheNearestRepeatUpToOneWindowBackAndAtMost256Long) {
  for (uint32_t distance : {8192u, 8193u}) {
    std::mt19937 rng(distance);
    std::vector<uint8_t> data(distance + 64);
    for (uint8_t& b : data) b = uint8_t(rng());
    std::memcpy(&data[distance], &data[0], 64);
    lzh::MatchFinder finder(data.data(), uint32_t(data.size()), 4096, lzh::kMaxMatch);
    for (uint32_t pos = 0; pos < distance; ++pos) finder.Skip(pos);
    lzh::Match m = finder.FindLongest(distance);
    if (distance == 8192) {
      EXPECT_EQ(m.Length, 64);
      EXPECT_EQ(m.Position, 8191);
    } else {
      EXPECT_LT(m.Length, 64);
    }
  }
  // The nearest of equal matches, and no longer than 256.
  std::vector<uint8_t> data(1000, 'z');
  lzh::MatchFinder finder(data.data(), uint32_t(data.size()), 16, lzh::kMaxMatch);
  finder.Skip(0);
  lzh::Match m = finder.FindLongest(1);
  EXPECT_EQ(m.Position, 0);  // distance 1
  EXPECT_EQ(m.Length, 256);
}

}  // namespace
