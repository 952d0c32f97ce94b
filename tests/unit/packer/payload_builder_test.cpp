// The payload: every file in its order, compressed only when that makes it smaller, and a last
// empty file not ending the archive with its header; the pack's check of each compressed stream
// refuses damage. (Two packs being identical: tests/cli/pack_progress_test.)
#include "packer/payload/payload_builder.h"

#include <gtest/gtest.h>

#include "archive/payload_format.h"

#include "packer/lzh_encoder/lzh_encoder.h"
#include "packer/payload/verify.h"
#include "tests/support/archive_builder.h"
#include "tests/support/seeded_data.h"
#include "tests/support/scratch_dir.h"
#include "tests/support/test_paths.h"

namespace {

std::vector<uint8_t> Encode(const std::string& text, int level = 5) {
  return lzh::EncodeLzh(reinterpret_cast<const uint8_t*>(text.data()), uint32_t(text.size()),
                        lzh::SettingsForLevel(level));
}

// Builds the payload into a file of dir and returns its bytes.
std::string Build(const ScratchDir& dir, const std::vector<ProductFile>& files, int level,
                  uint64_t sizeLimit = kMaxArchiveSize) {
  const std::string path = dir.Path("out.kpx").string();
  AtomicOutput out(path);
  const uint64_t size = BuildPayload(files, level, out, sizeLimit);
  EXPECT_EQ(size, out.Size());
  out.Commit();
  return ReadWholeFile(path);
}

TEST(PayloadBuilder, EntriesInOrderEachWithItsMethod) {
  ScratchDir dir;
  std::string text, noise = SeededData(DataKind::Random, 20000, 1);
  for (int i = 0; i < 3000; ++i) text += "line " + std::to_string(i % 37) + " of the product\r\n";
  dir.Write("quorvel.exe", text);
  dir.Write("data/noise.bin", noise);
  dir.Write("data/empty.txt", "");
  dir.Write("zz/last-empty.txt", "");
  std::string archive =
      Build(dir, ListProductFiles(dir.Root(), "quorvel.exe", DefaultDestination()), 5);
  const std::vector<uint8_t> stream = Encode(text);
  std::string expected;
  AppendEntry(expected, CompressedEntry("quorvel.exe", {stream.begin(), stream.end()},
                                        uint32_t(text.size())));
  AppendEntry(expected, StoredEntry("data\\empty.txt", ""));
  AppendEntry(expected, StoredEntry("data\\noise.bin", noise));  // compression would not shrink it
  AppendEntry(expected, CompressedEntry("zz\\last-empty.txt", std::string(1, '\0'), 0));
  EXPECT_EQ(archive, expected);
}

TEST(PayloadBuilder, RefusesAnArchivePastItsSizeLimitAtTheEntryThatPassesItWritingNothing) {
  ScratchDir dir;
  dir.Write("in/a.bin", SeededData(DataKind::Random, 3000, 2));
  dir.Write("in/b.bin", SeededData(DataKind::Random, 3000, 3));
  std::vector<ProductFile> files = ListProductFiles(dir.Path("in"), "", DefaultDestination());
  const uint64_t oneEntry = kFixedHeaderSize + 6 + 3000;
  EXPECT_EQ(Build(dir, files, 1, 2 * oneEntry).size(), 2 * oneEntry);
  ScratchDir empty;
  try {
    Build(empty, files, 1, 2 * oneEntry - 1);
    FAIL() << "no error";
  } catch (const KpxError& e) {
    EXPECT_NE(std::string(e.what()).find("b.bin: the payload would pass"), std::string::npos)
        << e.what();
  }
  EXPECT_EQ(empty.Listing(), std::vector<std::string>{});
}

// A file of several of the encoder's pieces is one stream, the same as the encoder's own; a
// file that compression does not shrink is stored even after pieces of it were compressed.
TEST(PayloadBuilder, LargeFilesAreOneStreamOrStoredWhole) {
  ScratchDir dir;
  std::string text = SeededData(DataKind::Mixed, 2 * lzh::kPieceBytes + 12345, 4);
  std::string noise = SeededData(DataKind::Random, lzh::kPieceBytes + 1, 5);
  dir.Write("in/a.txt", text);
  dir.Write("in/b.bin", noise);
  std::string archive = Build(dir, ListProductFiles(dir.Path("in"), "", DefaultDestination()), 1);
  const std::vector<uint8_t> stream = Encode(text, 1);
  std::string expected;
  AppendEntry(expected,
              CompressedEntry("a.txt", {stream.begin(), stream.end()}, uint32_t(text.size())));
  AppendEntry(expected, StoredEntry("b.bin", noise));
  EXPECT_TRUE(archive == expected);
}

TEST(Verify, ADamagedStreamDoesNotPass) {
  std::string text;
  for (int i = 0; i < 2000; ++i) text += "verify " + std::to_string(i % 13) + "\n";
  const uint8_t* bytes = reinterpret_cast<const uint8_t*>(text.data());
  const std::vector<uint8_t> stream = Encode(text);
  EXPECT_TRUE(DecodesTo(stream, bytes, uint32_t(text.size())));
  for (size_t at : {size_t(9), stream.size() / 3, stream.size() / 2, 2 * stream.size() / 3}) {
    std::vector<uint8_t> damaged = stream;
    damaged[at] ^= 0xFF;
    EXPECT_FALSE(DecodesTo(damaged, bytes, uint32_t(text.size()))) << "byte " << at;
  }
}

}  // namespace
