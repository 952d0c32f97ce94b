// kpx pack end to end: every file comes back, choices of method, entry order, determinism, and
// no archive after a failure.
#include "packer/payload_builder.h"

#include <filesystem>

#include <gtest/gtest.h>

#include "archive/entry_header.h"
#include "archive/payload_format.h"
#include "packer/commands.h"
#include "packer/lzh_encoder/lzh_encoder.h"
#include "packer/verify.h"
#include "tests/support/lzh_decode_all.h"
#include "tests/support/seeded_data.h"
#include "tests/support/test_paths.h"
#include "tests/support/scratch_dir.h"

namespace {

struct ReadEntry {
  std::string Name;
  uint32_t Method;
  std::string Bytes;
  uint32_t StoredSize;
};

// Walks an archive with the extractor's header reader and decodes every entry; fails the test on
// a header the extractor would refuse.
std::vector<ReadEntry> ReadArchive(const std::vector<uint8_t>& a) {
  std::vector<ReadEntry> entries;
  EntryHeader h;
  for (uint32_t offset = 0; offset < a.size(); offset = h.NextOffset) {
    if (ReadEntryHeader(a.data(), offset, uint32_t(a.size()), &h) != kHeaderValid) {
      ADD_FAILURE() << "no entry at " << offset;
      break;
    }
    ReadEntry e{reinterpret_cast<const char*>(h.NameField), h.Method, "", h.StoredSize};
    if (e.Method == kMethodCompressed) {
      DecodeResult r = DecodeAll(h.Data, h.StoredSize, h.UnpackedSize);
      EXPECT_FALSE(r.Failed) << e.Name;
      e.Bytes = r.Bytes;
    } else {
      EXPECT_EQ(h.StoredSize, h.UnpackedSize);
      e.Bytes.assign(reinterpret_cast<const char*>(h.Data), h.StoredSize);
    }
    entries.push_back(e);
  }
  return entries;
}

TEST(PayloadBuilder, EveryFileComesBackWithTheRightMethodAndOrder) {
  ScratchDir dir;
  std::string text;
  for (int i = 0; i < 3000; ++i) text += "line " + std::to_string(i % 37) + " of the product\r\n";
  dir.Write("quorvel.exe", text);
  dir.Write("data/noise.bin", SeededData(DataKind::Random, 20000, 1));
  dir.Write("data/empty.txt", "");
  dir.Write("zz/last-empty.txt", "");
  std::vector<uint8_t> archive =
      BuildPayload(ListProductFiles(dir.Root(), "quorvel.exe", DefaultDestination()), 5);
  std::vector<ReadEntry> entries = ReadArchive(archive);
  ASSERT_EQ(entries.size(), 4u);
  EXPECT_EQ(entries[0].Name, "quorvel.exe");
  EXPECT_EQ(entries[0].Method, kMethodCompressed);
  EXPECT_EQ(entries[0].Bytes, text);
  EXPECT_EQ(entries[1].Name, "data\\empty.txt");
  EXPECT_EQ(entries[1].Method, kMethodStored);
  EXPECT_EQ(entries[1].StoredSize, 0u);
  EXPECT_EQ(entries[2].Name, "data\\noise.bin");
  EXPECT_EQ(entries[2].Method, kMethodStored);  // compression would not make it smaller
  EXPECT_EQ(entries[2].Bytes, SeededData(DataKind::Random, 20000, 1));
  EXPECT_EQ(entries[3].Name, "zz\\last-empty.txt");
  EXPECT_EQ(entries[3].Bytes, "");
  EXPECT_GT(entries[3].StoredSize, 0u) << "a last empty entry must not end the archive with its header";
}

TEST(Verify, ADamagedStreamDoesNotPass) {
  std::string text;
  for (int i = 0; i < 2000; ++i) text += "verify " + std::to_string(i % 13) + "\n";
  const uint8_t* bytes = reinterpret_cast<const uint8_t*>(text.data());
  std::vector<uint8_t> stream = lzh::EncodeLzh(bytes, uint32_t(text.size()), lzh::SettingsForLevel(5));
  EXPECT_TRUE(DecodesTo(stream, bytes, uint32_t(text.size())));
  for (size_t at : {size_t(9), stream.size() / 3, stream.size() / 2, 2 * stream.size() / 3}) {
    std::vector<uint8_t> damaged = stream;
    damaged[at] ^= 0xFF;
    EXPECT_FALSE(DecodesTo(damaged, bytes, uint32_t(text.size()))) << "byte " << at;
  }
}

TEST(PackCommand, TwoPacksOfTheSameFolderAreIdentical) {
  ScratchDir dir, out;
  for (int i = 0; i < 5; ++i) dir.Write("f" + std::to_string(i), SeededData(DataKind::Random, 3000, 2).substr(0, 500 * i) + std::string(4000, char('a' + i)));
  for (const char* level : {"1", "5", "9"}) {
    Options options;
    options.command = Command::Pack;
    options.input = dir.Root();
    options.level = std::atoi(level);
    options.output = out.Root() + "/one.kpx";
    ASSERT_EQ(RunCommand(options), 0);
    options.output = out.Root() + "/two.kpx";
    ASSERT_EQ(RunCommand(options), 0);
    EXPECT_EQ(ReadWholeFile(out.Root() + "/one.kpx"), ReadWholeFile(out.Root() + "/two.kpx")) << level;
  }
}

TEST(PackCommand, BadInputFailsAndWritesNoArchive) {
  ScratchDir dir, out;
  dir.Write("ok.txt", "fine");
  dir.Write("bad?.txt", "refused");
  Options options;
  options.command = Command::Pack;
  options.input = dir.Root();
  options.output = out.Root() + "/payload.kpx";
  EXPECT_EQ(RunCommand(options), 1);
  EXPECT_FALSE(std::filesystem::exists(options.output));
  EXPECT_FALSE(std::filesystem::exists(options.output + ".tmp"));
}

}  // namespace
