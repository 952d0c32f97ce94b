// The decoder against independent encoders: the shared peer streams (historical LHA encoders,
// with their decoded bytes).
#include <cstdint>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/support/lzh_decode_all.h"
#include "tests/support/test_paths.h"

namespace {

struct PeerStream {
  std::vector<std::string> Row;  // name, stored, unpacked, ... as in the table
  std::string Stream;
  uint32_t Unpacked;
};

// The rows of a peer table (after its header line) with their streams, folder + NAME.lh5, each
// checked against the row's stored size; empty without the peer data.
std::vector<PeerStream> LoadPeerStreams(const std::string& table, const std::string& folder) {
  std::vector<PeerStream> peers;
  std::ifstream in(PeerDataPath(table));
  std::string line;
  std::getline(in, line);  // column names
  while (std::getline(in, line)) {
    PeerStream peer;
    std::istringstream fields(line);
    for (std::string field; std::getline(fields, field, '\t');) peer.Row.push_back(field);
    if (peer.Row.size() < 4) continue;
    peer.Stream = ReadWholeFile(PeerDataPath(folder + peer.Row[0] + ".lh5"));
    EXPECT_EQ(peer.Stream.size(), std::stoul(peer.Row[1])) << peer.Row[0];
    peer.Unpacked = static_cast<uint32_t>(std::stoul(peer.Row[2]));
    peers.push_back(peer);
  }
  return peers;
}

}  // namespace

// manifest.tsv: name, stored, unpacked, sha256, origin; streams/NAME.lh5 and expected/NAME.
TEST(LzhDecoderPeers, EveryPeerStreamDecodesToItsExpectedBytes) {
  const std::vector<PeerStream> peers = LoadPeerStreams("manifest.tsv", "streams/");
  if (peers.empty()) GTEST_SKIP() << "no peer data at " << PeerDataPath("");
  ASSERT_GE(peers.size(), 13u);
  for (const PeerStream& peer : peers) {
    SCOPED_TRACE(peer.Row[0]);
    const DecodeResult result = DecodeAll(peer.Stream, peer.Unpacked);
    EXPECT_FALSE(result.Failed);
    EXPECT_TRUE(result.Bytes == ReadWholeFile(PeerDataPath("expected/" + peer.Row[0])));
  }
}

// truncated.tsv: name, stored, unpacked, ...: streams cut short. The bits they lack read as zeros,
// and using them is damage.
TEST(LzhDecoderPeers, TruncatedPeerStreamsFailAsDamaged) {
  const std::vector<PeerStream> peers = LoadPeerStreams("truncated/truncated.tsv", "truncated/");
  if (peers.empty()) GTEST_SKIP() << "no peer data at " << PeerDataPath("");
  ASSERT_EQ(peers.size(), 2u);
  for (const PeerStream& peer : peers) {
    SCOPED_TRACE(peer.Row[0]);
    EXPECT_TRUE(DecodeAll(peer.Stream, peer.Unpacked).Failed);
  }
}
