// The description's icon: the project's own icons pass; each way an .ico file can differ from
// the program's icon group 108 is refused, saying what is wrong; kpx package hands a good icon on.
#include "packer/program_icon.h"

#include <gtest/gtest.h>

#include "packer/commands.h"
#include "packer/kpx_error.h"
#include "tests/support/scratch_dir.h"
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
      {"empty", [](Bytes& b) { b.clear(); }, "is not an icon file"},
      {"a cursor", [](Bytes& b) { b[2] = 2; }, "is not an icon file"},
      {"three images", [](Bytes& b) { b[4] = 3; }, "holds 3 images"},
      {"directory cut", [](Bytes& b) { b.resize(20); }, "cut short in its directory"},
      {"48 x 48", [](Bytes& b) { b[kEntry1] = b[kEntry1 + 1] = 48; }, "image 1 (48 x 48) has the wrong size"},
      {"32 x 16", [](Bytes& b) { b[kEntry1 + 1] = 16; }, "image 1 (32 x 16) has the wrong size"},
      {"two 32 x 32", [](Bytes& b) { std::copy(b.begin() + kEntry1, b.begin() + kEntry2, b.begin() + kEntry2); },
       "holds two 32 x 32 images"},
      {"outside", [](Bytes& b) { Put32(b, kEntry2 + 12, uint32_t(b.size())); }, "image 2 (16 x 16) lies outside"},
      {"PNG", [](Bytes& b) { b[kBitmap1] = 0x89, b[kBitmap1 + 1] = 'P', b[kBitmap1 + 2] = 'N'; }, "PNG"},
      {"no bitmap header", [](Bytes& b) { Put32(b, kBitmap1, 12); }, "is not a bitmap"},
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

TEST(ProgramIcon, PackageWritesTheIconAndDropsAnOldOne) {
  ScratchDir dir;
  dir.Write("product/app.exe", "MZ");
  std::string ini = "[package]\nproduct_folder = product\ntitle = App\nproduct_name = App\n"
                    "program_base_name = app\ndefault_base_directory = c:\\apps\n";
  Options options;
  options.command = Command::Package;
  options.output = dir.Root() + "/out";
  std::string icon = ReadWholeFile(SourcePath("resources/uninstall.ico"));
  dir.Write("mark.ico", icon);
  options.input = dir.Write("with.ini", ini + "icon = mark.ico\n");
  ASSERT_NO_THROW(PackageCommand(options));
  EXPECT_EQ(ReadWholeFile(options.output + "/program.ico"), icon);
  options.input = dir.Write("without.ini", ini);
  ASSERT_NO_THROW(PackageCommand(options));
  EXPECT_FALSE(std::filesystem::exists(options.output + "/program.ico"));
  dir.Write("mark.ico", icon.substr(0, 100));
  options.input = dir.Path("with.ini").string();
  EXPECT_THROW(PackageCommand(options), KpxError);
  EXPECT_FALSE(std::filesystem::exists(options.output + "/program.ico"));
}

}  // namespace
