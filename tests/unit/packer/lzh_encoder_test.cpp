// The encoder: the tree match finder finds what the full chain finds, the nearest repeat is taken
// and nothing reaches past the window; every level round-trips through the program's decoder over
// a dirty window (so that a match before the entry shows) and through the reference decoder.
#include "packer/lzh_encoder/lzh_encoder.h"

#include <algorithm>
#include <cstring>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "archive/lzh_decoder.h"
#include "bench/reference_lzh_decoder.h"
#include "packer/lzh_encoder/lzh_format.h"
#include "packer/lzh_encoder/match_finder.h"
#include "packer/lzh_encoder/tree_match_finder.h"
#include "tests/support/lzh_decode_all.h"
#include "tests/support/seeded_data.h"
#include "tests/support/test_paths.h"

namespace {

TEST(MatchFinder, TreeFindsTheLongestMatchThatTheFullChainFinds) {
  std::mt19937 rng(8);
  std::vector<uint8_t> data(30000);
  for (uint32_t i = 0; i < data.size(); ++i) {
    uint32_t back = 1 + rng() % 9000;
    data[i] = (i >= back && rng() % 4 != 0) ? data[i - back] : uint8_t('a' + rng() % 4);
  }
  lzh::MatchFinder chain(data.data(), uint32_t(data.size()), 100000, lzh::kMaxMatch);
  lzh::TreeMatchFinder tree(data.data(), uint32_t(data.size()), 100000, lzh::kMaxMatch);
  std::vector<lzh::Match> fromTree;
  for (uint32_t pos = 0; pos < data.size(); ++pos) {
    fromTree.clear();
    tree.FindMatches(pos, fromTree);
    ASSERT_EQ(fromTree.empty() ? 0 : fromTree.back().Length, chain.FindLongest(pos).Length) << pos;
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
    EXPECT_EQ(m.Length == 64, distance == 8192) << m.Length;
    if (distance == 8192) {
      EXPECT_EQ(m.Position, 8191);
    }
  }
  std::vector<uint8_t> data(1000, 'z');
  lzh::MatchFinder finder(data.data(), uint32_t(data.size()), 16, lzh::kMaxMatch);
  finder.Skip(0);
  lzh::Match m = finder.FindLongest(1);
  EXPECT_EQ(m.Position, 0);  // distance 1
  EXPECT_EQ(m.Length, 256);
}

// The entry ends where a long match could run on: the bytes after it repeat the same run, so a
// finder that takes its limit from anything but the bytes left would report a match past the end
// (and read past the buffer under AddressSanitizer, where the entry is the buffer's last bytes).
TEST(MatchFinder, NoMatchRunsPastTheEntrysEnd) {
  constexpr uint32_t kEntry = 300;
  std::vector<uint8_t> buffer(kEntry + lzh::kMaxMatch, 'r');
  for (uint32_t left : {3u, 4u, 10u, 255u}) {
    const uint32_t pos = kEntry - left;
    lzh::MatchFinder chain(buffer.data(), kEntry, 16, lzh::kMaxMatch);
    lzh::TreeMatchFinder tree(buffer.data(), kEntry, 16, lzh::kMaxMatch);
    for (uint32_t p = 0; p < pos; ++p) {
      chain.Skip(p);
      tree.Skip(p);
    }
    std::vector<lzh::Match> fromTree;
    tree.FindMatches(pos, fromTree);
    EXPECT_EQ(chain.FindLongest(pos).Length, left) << "chain, " << left << " bytes left";
    ASSERT_FALSE(fromTree.empty());
    EXPECT_EQ(fromTree.back().Length, left) << "tree, " << left << " bytes left";
  }
}

std::vector<uint8_t> Encode(const std::string& data, int level) {
  return lzh::EncodeLzh(reinterpret_cast<const uint8_t*>(data.data()), uint32_t(data.size()),
                        lzh::SettingsForLevel(level));
}

// Decodes the stream over a dirty window and expects the data back, and from the reference
// decoder (written apart from the program's) too; a block whose header count differs from the
// symbols written after it derails a decoder at the next block.
void ExpectRoundTrip(const std::vector<uint8_t>& stream, const std::string& data) {
  std::memset(DecodeWindow, 0x5A, sizeof DecodeWindow);
  DecodeResult r = DecodeAll(stream, uint32_t(data.size()));
  ASSERT_FALSE(r.Failed);
  ASSERT_TRUE(r.Bytes == data);
  reference::Reset();
  reference::DecodeStart(stream.data(), uint32_t(stream.size()));
  for (uint32_t done = 0; done < data.size(); done += kDecodeWindowSize) {
    const uint32_t count = std::min<uint32_t>(kDecodeWindowSize, uint32_t(data.size()) - done);
    reference::DecodeChunk(count, reference::DecodeWindow);
    ASSERT_EQ(std::memcmp(reference::DecodeWindow, data.data() + done, count), 0) << done;
  }
  EXPECT_EQ(reference::DecodeFailed, 0);
}

TEST(LzhEncoder, EveryLevelRoundTripsEveryKindAndBoundarySize) {
  const uint32_t sizes[] = {0, 1, 2, 3, 8192, 8193, 16384, 70000, 300000};
  for (int level : {1, 3, 5, 9}) {
    for (int kind = 0; kind < 5; ++kind) {
      for (uint32_t size : sizes) {
        if (level == 9 && size > 70000) continue;  // the strongest level is slow; 70,000 suffices
        SCOPED_TRACE("level " + std::to_string(level) + " kind " + std::to_string(kind) + " size " +
                     std::to_string(size));
        std::string data = SeededData(DataKind(kind), size, size + uint32_t(kind));
        std::vector<uint8_t> stream = Encode(data, level);
        EXPECT_EQ(stream.empty(), size == 0);
        ExpectRoundTrip(stream, data);
      }
    }
  }
}

// Pieces encoded on their own join into one stream, whose matches reach back across a piece's
// start.
TEST(LzhEncoder, PiecesJoinIntoOneStream) {
  std::string data = SeededData(DataKind::FarRepeats, 2 * lzh::kPieceBytes + 777, 9);
  for (int level : {1, 5}) {
    SCOPED_TRACE("level " + std::to_string(level));
    ExpectRoundTrip(Encode(data, level), data);
  }
}

// The smallest input found whose chosen block, parsed again, came to more symbols than a block
// header can count. (Inputs that the optimal levels 5 and 8 parsed past the count are in the
// round-trip fuzz corpus.)
TEST(LzhEncoder, EveryLevelKeepsEachBlockWithinTheSymbolCount) {
  std::string path = PeerDataPath("../encoder/long-block.txt");
  if (!std::ifstream(path).good()) GTEST_SKIP() << path << " is not there";
  std::string data = ReadWholeFile(path);
  for (int level = 1; level <= 9; ++level) {
    SCOPED_TRACE("level " + std::to_string(level));
    ExpectRoundTrip(Encode(data, level), data);
  }
}

}  // namespace
