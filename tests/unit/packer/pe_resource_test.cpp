// Finding the payload resource in a setup.exe (the CLI tests read both PE flavours): other names,
// and damaged files that must give an error rather than a read outside the file.
#include "packer/pe_resource.h"

#include <stdexcept>

#include <gtest/gtest.h>

#include "archive/payload_format.h"
#include "tests/support/test_paths.h"

namespace {

std::vector<uint8_t> ReadBytes(const std::string& path) {
  std::string text = ReadWholeFile(path);
  return std::vector<uint8_t>(text.begin(), text.end());
}

// The resource, or an empty vector when the lookup reported an error.
std::vector<uint8_t> PayloadOrNothing(const std::vector<uint8_t>& image) {
  try {
    return FindNamedTypeResource(image, KPX_PAYLOAD_RESOURCE_TYPE, kPayloadResourceId);
  } catch (const std::runtime_error&) {
    return {};
  }
}

}  // namespace

TEST(PeResource, OtherTypeOrIdIsReportedMissing) {
  std::vector<uint8_t> image = ReadBytes(SourcePath("tests/cli/small-setup-64.exe"));
  EXPECT_THROW(FindNamedTypeResource(image, "KPY", kPayloadResourceId), std::runtime_error);
  EXPECT_THROW(FindNamedTypeResource(image, "KPX", 120), std::runtime_error);
  EXPECT_THROW(FindNamedTypeResource(image, "KPXX", kPayloadResourceId), std::runtime_error);
}

TEST(PeResource, TruncatedFilesGiveAnErrorAtEveryLength) {
  std::vector<uint8_t> image = ReadBytes(SourcePath("tests/cli/small-setup-32.exe"));
  const std::vector<uint8_t> whole = PayloadOrNothing(image);
  ASSERT_FALSE(whole.empty());
  for (size_t cut = 0; cut < image.size(); ++cut) {
    std::vector<uint8_t> shorter(image.begin(), image.begin() + cut);
    std::vector<uint8_t> found = PayloadOrNothing(shorter);
    // Cutting only bytes after the resource still finds it whole; otherwise an error.
    EXPECT_TRUE(found.empty() || found == whole) << "cut at " << cut;
  }
}

TEST(PeResource, DamagedHeaderBytesNeverLeadOutsideTheFile) {
  std::vector<uint8_t> image = ReadBytes(SourcePath("tests/cli/small-setup-64.exe"));
  for (size_t at = 0; at < image.size(); ++at) {
    for (uint8_t value : {uint8_t(0x00), uint8_t(0x7F), uint8_t(0xFF)}) {
      std::vector<uint8_t> damaged = image;
      damaged[at] = value;
      std::vector<uint8_t> found = PayloadOrNothing(damaged);  // any outcome but a bad read
      EXPECT_LE(found.size(), damaged.size());
    }
  }
}
