// Finding the payload resource in a setup.exe (the CLI tests read both PE flavours): other names,
// and damaged files that must give an error rather than a read outside the file, here and in the
// reader of kpx release.
#include "packer/pe_image/pe_resource.h"

#include <stdexcept>

#include <gtest/gtest.h>

#include "archive/payload_format.h"
#include "packer/kpx_error.h"
#include "packer/pe_image/pe_image.h"
#include "packer/pe_image/resource_section.h"
#include "tests/support/test_paths.h"

namespace {

// The payload resource, or an empty vector when the lookup reported an error.
std::vector<uint8_t> PayloadOrNothing(const std::vector<uint8_t>& image,
                                      const char* type = KPX_PAYLOAD_RESOURCE_TYPE,
                                      uint32_t id = kPayloadResourceId) {
  try {
    return FindNamedTypeResource(image, type, id);
  } catch (const std::runtime_error&) {
    return {};
  }
}

// kpx release's reading of the program and its resources: any outcome but a read outside the file.
void ReadForRelease(const std::vector<uint8_t>& image) {
  try {
    (void)ReadResources(ReadPeImage(image));
  } catch (const KpxError&) {
  }
}

TEST(PeResource, OtherNamesAreMissingAndDamageNeverLeadsOutsideTheFile) {
  for (const char* flavour : {"32.exe", "64.exe"}) {
    std::string text = ReadWholeFile(SourcePath(std::string("tests/cli/small-setup-") + flavour));
    const std::vector<uint8_t> image(text.begin(), text.end()), whole = PayloadOrNothing(image);
    ASSERT_FALSE(whole.empty());
    EXPECT_TRUE(PayloadOrNothing(image, "KPY").empty());
    EXPECT_TRUE(PayloadOrNothing(image, "KPXX").empty());
    EXPECT_TRUE(PayloadOrNothing(image, KPX_PAYLOAD_RESOURCE_TYPE, kPayloadResourceId + 1).empty());
    for (size_t at = 0; at < image.size(); ++at) {
      // Cutting only bytes after the resource still finds it whole; otherwise an error.
      const std::vector<uint8_t> cut(image.begin(), image.begin() + long(at));
      std::vector<uint8_t> found = PayloadOrNothing(cut);
      EXPECT_TRUE(found.empty() || found == whole) << flavour << " cut at " << at;
      ReadForRelease(cut);
      for (uint8_t value : {0x00, 0x7F, 0xFF}) {
        std::vector<uint8_t> damaged = image;
        damaged[at] = value;
        EXPECT_LE(PayloadOrNothing(damaged).size(), damaged.size());  // any outcome but a bad read
        ReadForRelease(damaged);
      }
    }
  }
}

}  // namespace
