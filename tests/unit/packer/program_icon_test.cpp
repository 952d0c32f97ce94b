// The description's icon: the project's own icons pass; each way an .ico file can differ from
// the program's icon group 108 is refused, saying what is wrong. (kpx package hands the icon on:
// the release test.)
#include "packer/program_icon.h"

#include <gtest/gtest.h>

#include "packer/kpx_error.h"
#include "tests/support/test_paths.h"

namespace {

using Bytes = std::vector<uint8_t>;

Bytes ProjectIcon(const char* name) {
  std::string s = ReadWholeFile(SourcePath(std::string("resources/") + name));
  return Bytes(s.begin(), s.end());
}

void Put32(Bytes& b, size_t at, uint32_t v) {
  for (int i = 0; i < 4; ++i) b[at + i] = uint8_t(v >> 8 * i);
}

// setup.ico: the 32 x 32 image's entry at 6, its bitmap at 38; the 16 x 16 entry at 22.
constexpr size_t kEntry1 = 6, kEntry2 = 22, kBitmap1 = 38;

TEST(ProgramIcon, TheProjectsIconsPass) {
  EXPECT_EQ(ProgramIconProblem(ProjectIcon("setup.ico")), "");
  EXPECT_EQ(ProgramIconProblem(ProjectIcon("uninstall.ico")), "");
  Bytes implicitPalette = ProjectIcon("setup.ico");  // a palette size of 0 means all 16 colours
  Put32(implicitPalette, kBitmap1 + 32, 0);
  EXPECT_EQ(ProgramIconProblem(implicitPalette), "");
}

TEST(ProgramIcon, EachDifferenceIsNamed) {
  struct Case {
    const char* what;
    void (*change)(Bytes&);
    const char* message;
  } cases[] = {
      {"a cursor", [](Bytes& b) { b[2] = 2; }, "is not an icon file"},
      {"three images", [](Bytes& b) { b[4] = 3; }, "holds 3 images"},
      {"directory cut", [](Bytes& b) { b.resize(20); }, "cut short in its directory"},
      {"32 x 16", [](Bytes& b) { b[kEntry1 + 1] = 16; }, "image 1 (32 x 16) has the wrong size"},
      {"two 32 x 32", [](Bytes& b) { std::copy(b.begin() + kEntry1, b.begin() + kEntry2, b.begin() + kEntry2); },
       "holds two 32 x 32 images"},
      {"outside", [](Bytes& b) { Put32(b, kEntry2 + 12, uint32_t(b.size())); }, "image 2 (16 x 16) lies outside"},
      {"bitmap of another size", [](Bytes& b) { Put32(b, kBitmap1 + 4, 16); }, "its bitmap is not 32 x 32"},
      {"256 colours", [](Bytes& b) { b[kBitmap1 + 14] = 8; }, "has 8 bits per pixel"},
      {"run-length coded", [](Bytes& b) { b[kBitmap1 + 16] = 2; }, "is compressed"},
      {"palette too big", [](Bytes& b) { Put32(b, kBitmap1 + 32, 17); }, "palette of 17 colours"},
      {"image cut", [](Bytes& b) { Put32(b, kEntry1 + 8, 743); }, "cut short (743 bytes, a bitmap of its size needs 744)"},
  };
  for (const Case& c : cases) {
    Bytes ico = ProjectIcon("setup.ico");
    c.change(ico);
    EXPECT_NE(ProgramIconProblem(ico).find(c.message), std::string::npos)
        << c.what << ": " << ProgramIconProblem(ico);
  }
}

}  // namespace
