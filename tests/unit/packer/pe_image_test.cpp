// The PE writer of kpx release: a linked program read and written back unchanged is the same file
// (the layout, sizes, directories and checksum it computes are the linker's), and a resource
// section written from a list reads back as that list in the tree's order.
#include "packer/pe_image/pe_image.h"

#include <gtest/gtest.h>

#include "packer/kpx_error.h"
#include "packer/pe_image/resource_section.h"
#include "tests/support/test_paths.h"

namespace {

TEST(PeImage, ALinkedProgramWrittenBackIsTheSameFile) {
  for (const char* flavour : {"32.exe", "64.exe"}) {
    SCOPED_TRACE(flavour);
    std::string text = ReadWholeFile(SourcePath(std::string("tests/cli/small-setup-") + flavour));
    const std::vector<uint8_t> file(text.begin(), text.end());
    const PeImage image = ReadPeImage(file);
    EXPECT_EQ(image.Is64, flavour[0] == '6');
    EXPECT_EQ(WritePeImage(image), file);
    std::vector<uint8_t> appended = file;
    appended.push_back(0);
    EXPECT_THROW(ReadPeImage(appended), KpxError);
  }
}

TEST(ResourceSection, WrittenResourcesReadBackInTreeOrder) {
  auto resource = [](ResourceKey type, uint32_t name, uint32_t language, std::string data) {
    Resource r;
    r.Type = type;
    r.Name.Id = name;
    r.Language = language;
    r.Data.assign(data.begin(), data.end());
    return r;
  };
  ResourceKey icon, dialog;
  icon.Id = kIconResource;
  dialog.Id = 5;
  const std::vector<Resource> written = {
      resource(dialog, 110, 0x409, "dialog"), resource(icon, 2, 0x409, "small icon"),
      resource(NamedKey("KPX"), 119, 0x409, "payload"), resource(icon, 1, 0x409, "large"),
      resource(icon, 1, 0x407, "large, another language")};
  PeImage image;
  image.Sections.push_back({".rsrc", 0x5000, 0, 0, WriteResources(written, 0x5000)});
  const std::vector<Resource> read = ReadResources(image);
  const size_t order[] = {2, 4, 3, 1, 0};  // names first, then numbers, languages ascending
  ASSERT_EQ(read.size(), written.size());
  for (size_t i = 0; i < read.size(); ++i) {
    const Resource& want = written[order[i]];
    EXPECT_TRUE(read[i].Type == want.Type && read[i].Name == want.Name) << i;
    EXPECT_EQ(read[i].Language, want.Language);
    EXPECT_EQ(read[i].Data, want.Data);
  }
  std::vector<Resource> twice = written;
  twice.push_back(written[0]);
  EXPECT_THROW(WriteResources(twice, 0x5000), KpxError);
}

}  // namespace
