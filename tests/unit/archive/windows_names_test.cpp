// Which reparse points the extractor and the tree emptier take for links: the name surrogates, by
// the tag a directory search reports, and only with the reparse point attribute.
#include "archive/windows_names.h"

#include <gtest/gtest.h>

namespace {

TEST(WindowsNames, OnlyNameSurrogatesAndUnknownTagsAreLinks) {
  constexpr uint32_t kReparse = kReparsePointAttribute;
  constexpr uint32_t kDirectory = 0x10;
  // Junction, symbolic link, the Linux subsystem's link, and the reserved tags no reparse point has.
  for (uint32_t tag : {0xA0000003u, 0xA000000Cu, 0xA000001Du, 0u, 1u, 2u}) {
    EXPECT_TRUE(IsNameSurrogate(kReparse, tag)) << tag;
    EXPECT_TRUE(IsNameSurrogate(kReparse | kDirectory, tag)) << tag;
    EXPECT_FALSE(IsNameSurrogate(kDirectory, tag)) << tag;  // no reparse point: the tag is stray
  }
  // Deduplicated file, cloud placeholder file and folder, compressed system file, storage tier,
  // app execution alias: files and folders to be replaced or entered.
  for (uint32_t tag :
       {0x80000013u, 0x9000001Au, 0x9000101Au, 0x80000017u, 0xC0000004u, 0x8000001Bu}) {
    EXPECT_FALSE(IsNameSurrogate(kReparse, tag)) << tag;
    EXPECT_FALSE(IsNameSurrogate(kReparse | kDirectory, tag)) << tag;
  }
}

}  // namespace
