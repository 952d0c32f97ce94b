// ExtractEntry writing data: stored pieces under one lock, decoding in chunks, the repaint before
// any data, and the clean-up after a failed write or stream (no file left behind).
#include "archive/extract_entry.h"

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
  EXPECT_EQ(::Setup.FilesDone, 2u);
  EXPECT_EQ(std::string(::Setup.CurrentFile), scratch.Root() + "\\sub\\second.bin");
  EXPECT_EQ(scratch.Listing(), (std::vector<std::string>{"first.txt", "sub"}));
}

TEST_F(ExtractEntryWrite, FailedCompressedWriteDeletesTheFile) {
  std::string archive;
  AppendEntry(archive, CompressedEntry("c.bin", RepeatedByteStream('A', 20000), 20000));
  FileOpsTest.WriteLimitOn = 1;
  FileOpsTest.WriteLimit = 10000;
  EXPECT_EQ(ExtractAll(archive), kExtractDecodeFailed);
  EXPECT_EQ(::Setup.FilesDone, 1u);
  EXPECT_TRUE(scratch.Listing().empty());
}

TEST_F(ExtractEntryWrite, CompressedEntryOfNoBytesMakesAnEmptyFile) {
  std::string archive;
  AppendEntry(archive, CompressedEntry("empty", "", 0));
  AppendEntry(archive, StoredEntry("after", "x"));
  EXPECT_EQ(ExtractAll(archive), kExtractEnd);
  EXPECT_EQ(Contents("empty"), "");
  EXPECT_EQ(Contents("after"), "x");
}

TEST_F(ExtractEntryWrite, BrokenStreamInTheMiddleDeletesTheFileAndKeepsEarlierOnes) {
  Observe();
  std::string archive;
  AppendEntry(archive, CompressedEntry("good.bin", RepeatedByteStream('g', 9000), 9000));
  AppendEntry(archive, CompressedEntry("bad.bin", BrokenStreamAfter('b', 20000), 40000));
  EXPECT_EQ(ExtractAll(archive), kExtractDecodeFailed);
  // Both chunks of the good entry, and two full chunks of the broken entry before its third
  // chunk failed.
  EXPECT_EQ(Seen.Pieces, (std::vector<uint32_t>{8192, 808, 8192, 8192}));
  EXPECT_EQ(::Setup.FilesDone, 2u);
  EXPECT_EQ(scratch.Listing(), (std::vector<std::string>{"good.bin"}));
  EXPECT_EQ(Contents("good.bin"), std::string(9000, 'g'));
}

TEST_F(ExtractEntryWrite, ProgressIsRepaintedOnceAfterCreationBeforeAnyData) {
  static const ScratchDir* dir;
  static std::vector<std::string> atRepaint;
  dir = &scratch;
  atRepaint.clear();
  FileOpsTest.Repainted = [] {
    const char* name = ::Setup.CurrentFile + dir->Root().size() + 1;
    // The file is open without sharing, so only its size can be asked.
    std::error_code error;
    auto size = std::filesystem::file_size(dir->Path(name), error);
    atRepaint.push_back(std::to_string(::Setup.FilesDone) + " " + ::Setup.CurrentFile + " " +
                        (error ? "missing" : std::to_string(size)));
  };
  std::string archive;
  AppendEntry(archive, StoredEntry("a.txt", "aaa"));
  AppendEntry(archive, CompressedEntry("b.txt", RepeatedByteStream('b', 3), 3));
  EXPECT_EQ(ExtractAll(archive), kExtractEnd);
  const std::string root = scratch.Root();
  EXPECT_EQ(atRepaint, (std::vector<std::string>{"1 " + root + "\\a.txt 0",
                                                 "2 " + root + "\\b.txt 0"}));
}

TEST(ExtractEntryTruncated, EveryCutLengthGivesTheExactResultAndLeavesNoPartialFile) {
  std::string archive;
  std::vector<uint32_t> starts;
  starts.push_back(AppendEntry(archive, StoredEntry("a.txt", "0123456789")));
  starts.push_back(AppendEntry(archive, CompressedEntry("sub\\b.bin", RepeatedByteStream('b', 100), 100)));
  starts.push_back(AppendEntry(archive, StoredEntry("c.txt", "c")));
  starts.push_back(uint32_t(archive.size()));
  const std::vector<std::vector<std::string>> filesAfter = {
      {}, {"a.txt"}, {"a.txt", "sub", "sub/b.bin"}, {"a.txt", "c.txt", "sub", "sub/b.bin"}};

  for (uint32_t cut = 0; cut <= archive.size(); ++cut) {
    SCOPED_TRACE("cut at " + std::to_string(cut));
    size_t whole = 0;  // entries that lie wholly inside the cut archive
    while (whole < 3 && starts[whole + 1] <= cut) ++whole;
    int expected = whole == 3 || cut - starts[whole] <= kFixedHeaderSize ? kExtractEnd
                                                                          : kExtractMalformedHeader;
    ::Setup = SetupState{};
    ScratchDir scratch;
    std::vector<uint8_t> exact(archive.begin(), archive.begin() + cut);
    int result = 0;
    for (uint32_t offset = 0;
         (result = ExtractEntry(exact.data(), offset, cut, scratch.Root().c_str())) > 0;) {
      offset = uint32_t(result);
    }
    EXPECT_EQ(result, expected);
    EXPECT_EQ(::Setup.FilesDone, whole);
    EXPECT_EQ(scratch.Listing(), filesAfter[whole]);
  }
}
