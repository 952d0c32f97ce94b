// The decoder against independent encoders: the shared peer streams (historical LHA encoders,
// with their decoded bytes).
#include <fstream>
#include <sstream>
#include <string>

#include <gtest/gtest.h>

#include "tests/support/lzh_decode_all.h"
#include "tests/support/test_paths.h"

// manifest.tsv: name, stored, unpacked, sha256, origin; streams/NAME.lh5 and expected/NAME.
TEST(LzhDecoderPeers, EveryPeerStreamDecodesToItsExpectedBytes) {
  std::ifstream manifest(PeerDataPath("manifest.tsv"));
  if (!manifest) GTEST_SKIP() << "no peer data at " << PeerDataPath("");
  std::string line, name;
  std::getline(manifest, line);  // column names
  int count = 0;
  for (size_t stored = 0; std::getline(manifest, line); count++) {
    uint32_t unpacked = 0;
    std::istringstream(line) >> name >> stored >> unpacked;  // names hold no blanks
    SCOPED_TRACE(name);
    const std::string stream = ReadWholeFile(PeerDataPath("streams/" + name + ".lh5"));
    EXPECT_EQ(stream.size(), stored);
    const DecodeResult result = DecodeAll(stream, unpacked);
    EXPECT_FALSE(result.Failed);
    EXPECT_TRUE(result.Bytes == ReadWholeFile(PeerDataPath("expected/" + name)));
  }
  EXPECT_GE(count, 13);
}
