// The description's icon: the project's own icon passes; each way an .ico file can differ from
// the program's icon group 108 is refused, saying what is wrong. (kpx package hands the icon on:
// the release test.)
#include "packer/description/program_icon.h"

#include <gtest/gtest.h>

#include "tests/support/test_paths.h"

namespace {

using Bytes = std::vector<uint8_t>;

void Put32(Bytes& b, size_t at, uint32_t v) {
  for (int i = 0; i < 4; ++i) b[at + i] = uint8_t(v >> 8 * i);
}

// setup.ico: the 32 x 32 image's entry at 6, its bitmap at 38; the 16 x 16 entry at 22.
constexpr size_t kEntry1 = 6, kEntry2 = 22, kBitmap1 = 38;

TEST(ProgramIcon, TheProjectsIconPassesAndEachDifferenceIsNamed) {
  struct Case {
    const char* what;
    void (*change)(Bytes&);
    const char* message;
  } cases[] = {
      {"as shipped", [](Bytes&) {}, nullptr},
      {"palette size 0: 16 colours", [](Bytes& b) { Put32(b, kBitmap1 + 32, 0); }, nullptr},
      {"a cursor", [](Bytes& b) { b[2] = 2; }, "is not an icon file"},
      {"three images", [](Bytes& b) { b[4] = 3; }, "holds 3 images"},
      {"directory cut", [](Bytes& b) { b.resize(20); }, "cut short in its directory"},
      {"32 x 16", [](Bytes& b) { b[kEntry1 + 1] = 16; }, "image 1 (32 x 16) has the wrong size"},
      {"two 32 x 32",
       [](Bytes& b) { std::copy(b.begin() + kEntry1, b.begin() + kEntry2, b.begin() + kEntry2); },
       "holds two 32 x 32 images"},
      {"outside", [](Bytes& b) { Put32(b, kEntry2 + 12, uint32_t(b.size())); },
       "image 2 (16 x 16) lies outside"},
      {"bitmap of another size", [](Bytes& b) { Put32(b, kBitmap1 + 4, 16); },
       "its bitmap is not 32 x 32"},
      {"256 colours", [](Bytes& b) { b[kBitmap1 + 14] = 8; }, "has 8 bits per pixel"},
      {"run-length coded", [](Bytes& b) { b[kBitmap1 + 16] = 2; }, "is compressed"},
      {"palette too big", [](Bytes& b) { Put32(b, kBitmap1 + 32, 17); }, "palette of 17 colours"},
      {"image cut", [](Bytes& b) { Put32(b, kEntry1 + 8, 743); },
       "cut short (743 bytes, a bitmap of its size needs 744)"},
  };
  const std::string shipped = ReadWholeFile(SourcePath("resources/setup.ico"));
  for (const Case& c : cases) {
    Bytes ico(shipped.begin(), shipped.end());
    c.change(ico);
    const std::string problem = ProgramIconProblem(ico);
    EXPECT_TRUE(c.message ? problem.find(c.message) != std::string::npos : problem.empty())
        << c.what << ": " << problem;
  }
}

}  // namespace
