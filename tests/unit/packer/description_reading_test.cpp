// The package description is read strictly: each mistake is an error naming the file and line.
#include <gtest/gtest.h>

#include "packer/package_description.h"
#include "tests/support/scratch_dir.h"

namespace {

// Lines 1 to 6; a case adds from line 7.
constexpr char kBase[] =
    "[package]\n"
    "product_folder = product\n"
    "title = Caf\xc3\xa9 Ledger 1.3\n"
    "product_name = Caf\xc3\xa9 Ledger\n"
    "program_base_name = ledger\n"
    "default_base_directory = c:\\program files\n";

TEST(DescriptionReading, EachMistakeNamesTheFileAndLine) {
  const std::string base = kBase;
  const std::pair<std::string, const char*> cases[] = {
      {base + "title = Again\n", "package.ini:7: title given twice (first on line 3)"},
      {base + "uninstall_argument = /u\n  more\n", "package.ini:8: an indented line"},
      {base + "create_uninstall = maybe\n",
       "package.ini:7: create_uninstall: \"maybe\" is not a boolean"},
      {base + "uninstall_icon_index = 99999999999\n",
       "package.ini:7: uninstall_icon_index: \"99999999999\" is not an integer from -2147483648 to "
       "2147483647"},
      {base + "uninstall_icon_index = 0x10\n",
       "package.ini:7: uninstall_icon_index: \"0x10\" is not an integer"},
      {base + "titel = Typo\n", "package.ini:7: titel: unknown key (did you mean title?)"},
      {base + "colour = red\n", "colour: unknown key (the keys are product_folder, title, "},
      {base + "[other]\n", "package.ini:7: unknown section [other]"},
      {base + "[package]\n", "package.ini:7: [package] given twice (first on line 1)"},
      {base + "just words\n", "package.ini:7: expected KEY = VALUE"},
      {"title = Early\n" + base, "package.ini:1: title comes before [package]"},
      {base.substr(0, base.find("program_base_name")) + "default_base_directory = c:\\x\n",
       "package.ini: program_base_name: missing in [package]"},
      {base + "create_help_shortcut = yes\n", "package.ini: help_file_name: missing in [package]"},
      {base + "default_folder_name = a/b\n",
       "package.ini:7: default_folder_name: \"a/b\" is not a valid"},
  };
  for (const auto& [text, message] : cases) {
    SCOPED_TRACE(message);
    ScratchDir dir;
    try {
      CheckPackageDescription(ReadPackageDescription(dir.Write("package.ini", text)));
      ADD_FAILURE() << "accepted";
    } catch (const KpxError& e) {
      const std::string error = e.what();
      EXPECT_EQ(error.compare(0, dir.Root().size(), dir.Root()), 0) << error;
      EXPECT_NE(error.find(message), std::string::npos) << error;
    }
  }
}

TEST(DescriptionReading, CommentsLineEndsAndValueSpellingsAreAccepted) {
  ScratchDir dir;
  const std::string text = std::string("\xef\xbb\xbf; made by hand\r\n") + kBase +
                           "# a comment\n"
                           "  ; an indented comment\n"
                           "\n"
                           "uninstall_argument = /u;x   ; the rest is a comment\r\n"
                           "create_uninstall = OFF\n"
                           "create_desktop_shortcut = Yes\n"
                           "uninstall_icon_index = -3\n";
  const PackageDescription d = ReadPackageDescription(dir.Write("package.ini", text));
  CheckPackageDescription(d);
  EXPECT_EQ(d.Title, "Caf\xe9 Ledger 1.3");
  EXPECT_EQ(d.DefaultFolderName, "Caf\xe9 Ledger");
  EXPECT_EQ(d.UninstallArgument, "/u;x");
  EXPECT_EQ(d.CreateUninstall, 0);
  EXPECT_EQ(d.CreateDesktopShortcut, 1);
  EXPECT_EQ(d.UninstallIconIndex, -3);
  EXPECT_EQ(d.ProductFolder, dir.Root() + "/product");
}

}  // namespace
