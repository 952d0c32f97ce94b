// The encoder end to end: every level round-trips through the program's decoder and through the
// peer decoder lhasa, never reaches before the entry, and is deterministic.
#include "packer/lzh_encoder/lzh_encoder.h"

#include <cstring>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "archive/lzh_decoder.h"
#include "tests/support/lha_archive.h"
#include "tests/support/lzh_decode_all.h"
#include "tests/support/seeded_data.h"

namespace {

std::vector<uint8_t> Encode(const std::string& data, int level) {
  return lzh::EncodeLzh(reinterpret_cast<const uint8_t*>(data.data()), uint32_t(data.size()),
                        lzh::SettingsForLevel(level));
}

// Decodes with a window full of a pattern, so that a match reaching before the entry shows.
DecodeResult DecodeOverDirtyWindow(const std::vector<uint8_t>& stream, uint32_t size) {
  std::memset(DecodeWindow, 0x5A, sizeof DecodeWindow);
  return DecodeAll(stream, size);
}

TEST(LzhEncoder, EveryLevelRoundTripsEveryKindAndBoundarySize) {
  const uint32_t sizes[] = {0, 1, 2, 3, 8192, 8193, 16384, 70000, 300000};
  for (int level : {1, 3, 5, 9}) {
    for (int kind = 0; kind < 5; ++kind) {
      for (uint32_t size : sizes) {
        if (level == 9 && size > 70000) continue;  // the strongest level is slow; 70,000 suffices
        SCOPED_TRACE("level " + std::to_string(level) + " kind " + std::to_string(kind) +
                     " size " + std::to_string(size));
        std::string data = SeededData(DataKind(kind), size, size + uint32_t(kind));
        std::vector<uint8_t> stream = Encode(data, level);
        EXPECT_EQ(stream.empty(), size == 0);
        DecodeResult r = DecodeOverDirtyWindow(stream, size);
        ASSERT_FALSE(r.Failed);
        ASSERT_TRUE(r.Bytes == data);
      }
    }
  }
}

TEST(LzhEncoder, PeerDecoderLhasaAcceptsTheStreams) {
  for (int level : {1, 5, 9}) {
    for (int kind = 0; kind < 5; ++kind) {
      std::string data = SeededData(DataKind(kind), 50000 + 777 * kind, 40 + uint32_t(kind));
      int result = TestWithLhasa(WrapInLhaLevel0(Encode(data, level), data, "entry.bin"));
      if (result < 0) GTEST_SKIP() << "lhasa is not installed";
      EXPECT_EQ(result, 0) << "level " << level << " kind " << kind;
    }
  }
}

}  // namespace
