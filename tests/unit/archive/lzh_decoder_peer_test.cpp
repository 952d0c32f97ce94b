// The decoder against streams from independent encoders: the shared peer streams (historical
// LHA encoders, with their decoded bytes) and streams that jlha makes at test time from seeded data.
#include <cstdlib>
#include <fstream>
#include <random>
#include <sstream>
#include <vector>

#include <gtest/gtest.h>

#include "tests/support/lha_archive.h"
#include "tests/support/lzh_decode_all.h"
#include "tests/support/sha256.h"
#include "tests/support/test_paths.h"

namespace {

// One row of a tab-separated table, split at tabs.
std::vector<std::string> SplitTabs(const std::string& line) {
  std::vector<std::string> fields;
  std::istringstream in(line);
  for (std::string field; std::getline(in, field, '\t');) fields.push_back(field);
  return fields;
}

// The rows of a .tsv file after its header line; empty when the file is missing.
std::vector<std::vector<std::string>> ReadTsvRows(const std::string& path) {
  std::vector<std::vector<std::string>> rows;
  std::ifstream in(path);
  std::string line;
  std::getline(in, line);  // column names
  while (std::getline(in, line)) {
    if (!line.empty()) rows.push_back(SplitTabs(line));
  }
  return rows;
}

bool PeerDataPresent() { return std::ifstream(PeerDataPath("manifest.tsv")).good(); }

}  // namespace

// manifest.tsv: name, stored, unpacked, sha256, origin; streams/NAME.lh5 and expected/NAME.
TEST(LzhDecoderPeers, EveryPeerStreamDecodesToItsExpectedBytes) {
  if (!PeerDataPresent()) GTEST_SKIP() << "no peer data at " << PeerDataPath("");
  const auto rows = ReadTsvRows(PeerDataPath("manifest.tsv"));
  ASSERT_GE(rows.size(), 13u);
  for (const auto& row : rows) {
    ASSERT_GE(row.size(), 4u);
    SCOPED_TRACE(row[0]);
    const std::string stream = ReadWholeFile(PeerDataPath("streams/" + row[0] + ".lh5"));
    ASSERT_EQ(stream.size(), std::stoul(row[1]));
    const DecodeResult result = DecodeAll(stream, static_cast<uint32_t>(std::stoul(row[2])));
    EXPECT_FALSE(result.Failed);
    EXPECT_EQ(Sha256Hex(result.Bytes), row[3]);
    EXPECT_TRUE(result.Bytes == ReadWholeFile(PeerDataPath("expected/" + row[0])));
  }
}

// truncated.tsv: name, stored, unpacked, "no-error:SHA256", what. Missing bits read as zeros.
TEST(LzhDecoderPeers, TruncatedPeerStreamsDecodeWithoutFailure) {
  if (!PeerDataPresent()) GTEST_SKIP() << "no peer data at " << PeerDataPath("");
  const auto rows = ReadTsvRows(PeerDataPath("truncated/truncated.tsv"));
  ASSERT_EQ(rows.size(), 2u);
  const std::string kNoError = "no-error:";
  for (const auto& row : rows) {
    ASSERT_GE(row.size(), 4u);
    SCOPED_TRACE(row[0]);
    const std::string stream = ReadWholeFile(PeerDataPath("truncated/" + row[0] + ".lh5"));
    ASSERT_EQ(stream.size(), std::stoul(row[1]));
    const DecodeResult result = DecodeAll(stream, static_cast<uint32_t>(std::stoul(row[2])));
    ASSERT_EQ(row[3].compare(0, kNoError.size(), kNoError), 0);
    EXPECT_FALSE(result.Failed);
    EXPECT_EQ(Sha256Hex(result.Bytes), row[3].substr(kNoError.size()));
  }
}

namespace {

enum class DataKind { Text, Random, Runs, Mixed };

// Seeded test data of one kind: words from a small vocabulary, random bytes, long runs of a few
// byte values, or a mixture of all three in slices.
std::string MakeData(DataKind kind, size_t size, uint32_t seed) {
  static const char* const kWords[] = {"decoder ", "window ", "block ", "the ", "of ", "match ",
                                       "literal\n", "position ", "1994 ", "setup, "};
  std::mt19937 rng(seed);
  std::string data;
  while (data.size() < size) {
    DataKind slice = kind == DataKind::Mixed ? static_cast<DataKind>(rng() % 3) : kind;
    size_t piece = kind == DataKind::Mixed ? 1 + rng() % 3000 : size;
    for (size_t i = 0; i < piece && data.size() < size;) {
      if (slice == DataKind::Text) {
        std::string word = kWords[rng() % 10];
        data += word;
        i += word.size();
      } else if (slice == DataKind::Random) {
        data += static_cast<char>(rng());
        i++;
      } else {
        size_t run = 1 + rng() % 700;
        data.append(run, static_cast<char>("\0\xff" "a"[rng() % 3]));
        i += run;
      }
    }
  }
  data.resize(size);
  return data;
}

struct RoundTripCase {
  const char* Label;
  DataKind Kind;
  size_t Size;
};

const RoundTripCase kRoundTripCases[] = {
    {"empty", DataKind::Text, 0},           {"one byte", DataKind::Runs, 1},
    {"text 8192", DataKind::Text, 8192},     {"text 8193", DataKind::Text, 8193},
    {"runs 8192", DataKind::Runs, 8192},     {"random 8193", DataKind::Random, 8193},
    {"mixed 16384", DataKind::Mixed, 16384}, {"text 16384", DataKind::Text, 16384},
    {"random 40000", DataKind::Random, 40000}, {"runs 65537", DataKind::Runs, 65537},
    {"mixed 200000", DataKind::Mixed, 200000}, {"text 300001", DataKind::Text, 300001},
};

}  // namespace

// jlha's -lh5- encoder starts from an empty window, so its matches never reach before the first
// byte and every stream must give back the original bytes. Data it stores (-lh0-) is skipped.
TEST(LzhDecoderPeers, JlhaStreamsOfSeededDataGiveBackTheData) {
  int compressed = 0;
  for (const RoundTripCase& c : kRoundTripCases) {
    SCOPED_TRACE(c.Label);
    const std::string data = MakeData(c.Kind, c.Size, static_cast<uint32_t>(c.Size) + 7);
    LhaEntry entry;
    if (!CompressWithJlha(data, &entry)) GTEST_SKIP() << "jlha is not available";
    ASSERT_EQ(entry.UnpackedSize, data.size());
    if (entry.Method != "-lh5-") continue;  // stored: nothing for the decoder to do
    compressed++;
    const DecodeResult result = DecodeAll(entry.Stream, entry.UnpackedSize);
    EXPECT_FALSE(result.Failed);
    EXPECT_TRUE(result.Bytes == data);
  }
  EXPECT_GE(compressed, 8);  // random data comes back stored
}
