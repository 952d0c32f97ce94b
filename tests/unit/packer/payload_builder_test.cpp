// The payload: every file in its order, compressed only when that makes it smaller, and a last
// empty file not ending the archive with its header; the pack's check of each compressed stream
// refuses damage. (Two packs being identical: tests/cli/pack_progress_test.)
#include "packer/payload_builder.h"

#include <gtest/gtest.h>

#include "archive/payload_format.h"

#include "packer/lzh_encoder/lzh_encoder.h"
#include "packer/verify.h"
#include "tests/support/archive_builder.h"
#include "tests/support/seeded_data.h"
#include "tests/support/scratch_dir.h"

namespace {

std::vector<uint8_t> Encode(const std::string& text) {
  return lzh::EncodeLzh(reinterpret_cast<const uint8_t*>(text.data()), uint32_t(text.size()),
                        lzh::SettingsForLevel(5));
}

TEST(PayloadBuilder, EntriesInOrderEachWithItsMethod) {
  ScratchDir dir;
  std::string text, noise = SeededData(DataKind::Random, 20000, 1);
  for (int i = 0; i < 3000; ++i) text += "line " + std::to_string(i % 37) + " of the product\r\n";
  dir.Write("quorvel.exe", text);
  dir.Write("data/noise.bin", noise);
  dir.Write("data/empty.txt", "");
  dir.Write("zz/last-empty.txt", "");
  std::vector<uint8_t> archive =
      BuildPayload(ListProductFiles(dir.Root(), "quorvel.exe", DefaultDestination()), 5);
  const std::vector<uint8_t> stream = Encode(text);
  std::string expected;
  AppendEntry(expected, CompressedEntry("quorvel.exe", {stream.begin(), stream.end()},
                                        uint32_t(text.size())));
  AppendEntry(expected, StoredEntry("data\\empty.txt", ""));
  AppendEntry(expected, StoredEntry("data\\noise.bin", noise));  // compression would not shrink it
  AppendEntry(expected, CompressedEntry("zz\\last-empty.txt", std::string(1, '\0'), 0));
  EXPECT_EQ(std::string(archive.begin(), archive.end()), expected);
}

TEST(PayloadBuilder, RefusesAnArchivePastItsSizeLimitAtTheEntryThatPassesIt) {
  ScratchDir dir;
  dir.Write("a.bin", SeededData(DataKind::Random, 3000, 2));
  dir.Write("b.bin", SeededData(DataKind::Random, 3000, 3));
  std::vector<ProductFile> files = ListProductFiles(dir.Root(), "", DefaultDestination());
  const uint64_t oneEntry = kFixedHeaderSize + 6 + 3000;
  EXPECT_EQ(BuildPayload(files, 1, 2 * oneEntry).size(), 2 * oneEntry);
  try {
    BuildPayload(files, 1, 2 * oneEntry - 1);
    FAIL() << "no error";
  } catch (const KpxError& e) {
    EXPECT_NE(std::string(e.what()).find("b.bin: the payload would pass"), std::string::npos)
        << e.what();
  }
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
