// Which reparse points the extractor and the tree emptier take for links: the name surrogates, by
// the tag a directory search reports, and only with the reparse point attribute.
#include "archive/windows_names.h"

#include <gtest/gtest.h>

namespace {

TEST(WindowsNames, OnlyNameSurrogatesAndUnknownTagsAreLinks) {
  constexpr uint32_t kReparse = kReparsePointAttribute;
  constexpr uint32_t kDirectory = 0x10;
  const struct {
    const char* label;
    uint32_t attributes;
    uint32_t tag;
    bool link;
  } rows[] = {
      {"junction", kReparse | kDirectory, 0xA0000003, true},
      {"symbolic link", kReparse, 0xA000000C, true},
      {"directory symbolic link", kReparse | kDirectory, 0xA000000C, true},
      {"unix socket-style link of the Linux subsystem", kReparse, 0xA000001D, true},
      {"tag unknown (0)", kReparse, 0, true},
      {"deduplicated file", kReparse, 0x80000013, false},
      {"cloud placeholder file", kReparse, 0x9000001A, false},
      {"cloud placeholder folder", kReparse | kDirectory, 0x9000101A, false},
      {"compressed system file", kReparse, 0x80000017, false},
      {"storage tier", kReparse, 0xC0000004, false},
      {"app execution alias", kReparse, 0x8000001B, false},
      {"plain folder, stray reserved value", kDirectory, 0xA0000003, false},
      {"plain file, reserved value 0", 0x20, 0, false},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.label);
    EXPECT_EQ(IsNameSurrogate(row.attributes, row.tag), row.link);
  }
}

}  // namespace
