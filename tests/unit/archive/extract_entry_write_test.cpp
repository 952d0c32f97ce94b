// ExtractEntry writing data: stored pieces under one lock, the announcement before any data, and the
// clean-up after a failed write (no file left behind).
#include "archive/extract_entry.h"

#include <algorithm>
#include <filesystem>
#include <system_error>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "tests/support/extract_fixture.h"
#include "tests/support/seeded_data.h"

namespace {

using Range = std::pair<uint32_t, uint32_t>;

// What the file layer saw, through its test seam.
struct Observed {
  std::vector<uint32_t> Pieces;
  std::vector<Range> Locks, Unlocks;
};
Observed Seen;

void Observe() {
  Seen = Observed{};
  FileOpsTest.Wrote = [](uint32_t requested, uint32_t) { Seen.Pieces.push_back(requested); };
  FileOpsTest.Locked = [](uint32_t at, uint32_t length) { Seen.Locks.push_back({at, length}); };
  FileOpsTest.Unlocked = [](uint32_t at, uint32_t length) { Seen.Unlocks.push_back({at, length}); };
}

}  // namespace

class ExtractEntryWrite : public ExtractFixture {};

TEST_F(ExtractEntryWrite, StoredEntryOf70000BytesIsWrittenInThreePiecesUnderOneLock) {
  Observe();
  const std::string data = SeededData(DataKind::Random, 70000, 7);
  std::string archive;
  AppendEntry(archive, StoredEntry("big.bin", data));
  EXPECT_EQ(Extract(archive), int(archive.size()));
  EXPECT_EQ(Seen.Pieces, (std::vector<uint32_t>{32767, 32767, 4466}));
  EXPECT_EQ(Seen.Locks, (std::vector<Range>{{0, 70000}}));
  EXPECT_EQ(Seen.Unlocks, Seen.Locks);
  EXPECT_EQ(Contents("big.bin"), data);
}

TEST_F(ExtractEntryWrite, FailedStoredWriteStopsUnlocksAndDeletesTheFileButKeepsEarlierOnes) {
  Observe();
  std::string archive;
  AppendEntry(archive, StoredEntry("first.txt", "first"));
  AppendEntry(archive, StoredEntry("sub\\second.bin", SeededData(DataKind::Random, 70000, 7)));
  FileOpsTest.WriteLimitOn = 1;
  FileOpsTest.WriteLimit = 5 + 50000;
  EXPECT_EQ(ExtractAll(archive), kExtractStoredWriteFailed);
  EXPECT_EQ(Seen.Pieces, (std::vector<uint32_t>{5, 32767, 32767}));  // none after the short one
  EXPECT_EQ(Seen.Unlocks, (std::vector<Range>{{0, 5}, {0, 70000}}));
  EXPECT_EQ(Created().size(), 2u);
  EXPECT_EQ(LastCreated(), scratch.Root() + "\\sub\\second.bin");
  EXPECT_EQ(scratch.Listing(), (std::vector<std::string>{"first.txt", "sub"}));
}

TEST_F(ExtractEntryWrite, FailedCompressedWriteDeletesTheFile) {
  std::string archive;
  AppendEntry(archive, CompressedEntry("c.bin", RepeatedByteStream('A', 20000), 20000));
  FileOpsTest.WriteLimitOn = 1;
  FileOpsTest.WriteLimit = 10000;
  EXPECT_EQ(ExtractAll(archive), kExtractDecodeFailed);
  EXPECT_EQ(Created().size(), 1u);
  EXPECT_TRUE(scratch.Listing().empty());
}

TEST_F(ExtractEntryWrite, EachFileIsAnnouncedOnceAfterItsCreationBeforeAnyData) {
  static std::vector<std::string> announced;
  announced.clear();
  const auto announce = [](const char* created) {
    std::string path = created;
    std::replace(path.begin(), path.end(), '\\', '/');
    std::error_code error;  // the file is open without sharing: only its size can be asked
    const auto size = std::filesystem::file_size(path, error);
    announced.push_back(std::string(created) + " " + (error ? "missing" : std::to_string(size)));
  };
  std::string archive;
  AppendEntry(archive, StoredEntry("a.txt", "aaa"));
  AppendEntry(archive, CompressedEntry("b.txt", RepeatedByteStream('b', 3), 3));
  EXPECT_EQ(ExtractAll(archive, announce), kExtractEnd);
  const std::string root = scratch.Root();
  EXPECT_EQ(announced, (std::vector<std::string>{root + "\\a.txt 0", root + "\\b.txt 0"}));
}
