// The decoder against the reference decoder on streams that no encoder writes: peer streams cut
// at many lengths, peer streams with one byte changed, and seeded random bytes. DecodeAll decodes
// every chunk with both and fails the test on any difference in bytes or flag; these tests add
// the inputs. (The whole peer streams and the jlha streams are compared in lzh_decoder_peer_test.)
#include <algorithm>
#include <cstdint>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/support/lzh_decode_all.h"
#include "tests/support/test_paths.h"

namespace {

// Decoding stops after two chunks and a little more: enough for cuts and damage to show.
constexpr uint32_t kDecodeLimit = 2 * 8192 + 500;

struct PeerStream {
  std::string Name;
  std::string Stream;
  uint32_t Unpacked;
};

// The peer streams of manifest.tsv (name, stored, unpacked, ...); empty without the peer data.
std::vector<PeerStream> LoadPeerStreams() {
  std::vector<PeerStream> streams;
  std::ifstream manifest(PeerDataPath("manifest.tsv"));
  std::string line;
  std::getline(manifest, line);  // column names
  while (std::getline(manifest, line)) {
    std::istringstream fields(line);
    std::string name, stored, unpacked;
    if (!std::getline(fields, name, '\t') || !std::getline(fields, stored, '\t') ||
        !std::getline(fields, unpacked, '\t'))
      continue;
    const uint32_t size = static_cast<uint32_t>(std::stoul(unpacked));
    streams.push_back({name, ReadWholeFile(PeerDataPath("streams/" + name + ".lh5")),
                       std::min(size, kDecodeLimit)});
  }
  return streams;
}

// Every cut length up to 40 bytes (the block header), then 40 lengths spread over the stream.
std::vector<size_t> CutLengths(size_t size) {
  std::vector<size_t> cuts;
  for (size_t n = 0; n < size && n <= 40; n++) cuts.push_back(n);
  for (size_t k = 1; k < 40; k++) cuts.push_back(size * k / 40);
  return cuts;
}

class LzhDecoderDifferential : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetDecoder();
    peers_ = LoadPeerStreams();
    if (peers_.empty()) GTEST_SKIP() << "no peer data at " << PeerDataPath("");
  }
  std::vector<PeerStream> peers_;
};

TEST_F(LzhDecoderDifferential, PeerStreamsCutAtManyLengthsAgree) {
  for (const PeerStream& peer : peers_) {
    SCOPED_TRACE(peer.Name);
    for (size_t cut : CutLengths(peer.Stream.size())) {
      SCOPED_TRACE(cut);
      DecodeAll(peer.Stream.substr(0, cut), peer.Unpacked);
    }
  }
}

// One byte replaced by a seeded random value at 24 places per stream, the first in the header.
TEST_F(LzhDecoderDifferential, PeerStreamsWithOneByteChangedAgree) {
  std::mt19937 rng(2026);
  for (const PeerStream& peer : peers_) {
    SCOPED_TRACE(peer.Name);
    for (int k = 0; k < 24; k++) {
      std::string damaged = peer.Stream;
      const size_t at = k == 0 ? 2 : rng() % damaged.size();
      damaged[at] = static_cast<char>(damaged[at] ^ (1 + rng() % 255));
      SCOPED_TRACE(at);
      DecodeAll(damaged, peer.Unpacked);
    }
  }
}

// Random streams mostly fail in their first header and then decode through stale or empty
// tables; consecutive entries keep both decoders' tables and windows, as in the program.
TEST(LzhDecoderDifferentialRandom, SeededRandomStreamsAgree) {
  ResetDecoder();
  std::mt19937 rng(1994);
  for (int k = 0; k < 400; k++) {
    std::string stream(rng() % 300, '\0');
    for (char& c : stream) c = static_cast<char>(rng());
    // Now and then a plausible start: a small block count and a short code-length count.
    if (k % 3 == 0 && stream.size() > 3) stream[0] = 0, stream[2] = static_cast<char>(rng() % 64);
    const uint32_t unpacked = rng() % (kDecodeLimit + 1);
    SCOPED_TRACE(k);
    DecodeAll(stream, unpacked);
  }
}

}  // namespace
