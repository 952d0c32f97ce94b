// The package description is read strictly: each mistake is an error naming the file and line.
#include <gtest/gtest.h>

#include "packer/description/package_description.h"
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

// kBase with the value of key's line replaced.
std::string With(const std::string& key, const std::string& value) {
  std::string text = kBase;
  const size_t start = text.find(key + " = ") + key.size() + 3;
  return text.replace(start, text.find('\n', start) - start, value);
}

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
      // Values hold no control characters.
      {With("title", std::string("T\0evil", 6)),
       "package.ini:3: title: holds a control character (byte 0x00)"},
      {With("title", "T\tx"), "package.ini:3: title: holds a control character (byte 0x09)"},
      {base + "uninstall_argument = /u\x7f\n",
       "package.ini:7: uninstall_argument: holds a control"},
      // The Start-menu folder must be the product's own, not one that Windows keeps there.
      {With("product_name", "StartUp"),
       "package.ini:4: product_name: \"StartUp\" would make the Start-menu folder "
       "Programs\\Startup, which belongs to Windows"},
      // The base directory is a full folder path, as the program appends the folder to it.
      {With("default_base_directory", "\\\\?\\C:\\..\\..\\Windows"),
       "package.ini:6: default_base_directory: \"\\\\?\\C:\\..\\..\\Windows\" is not a full folder "
       "path (\\\\?\\ and \\\\.\\ paths are not folder paths)"},
      {With("default_base_directory", "c:\\program files\\..\\Windows"),
       "(the folder name \"..\" is \".\" or \"..\")"},
      {With("default_base_directory", "program files"), "(it must start with a drive (C:\\)"},
      {With("default_base_directory", "c:\\"), "(it has an empty folder name"},
      {With("default_base_directory", "\\\\server"), "(it names a server without a share)"},
      {With("default_base_directory", "c:\\apps/x"), "(the folder name \"apps/x\" holds one of"},
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
  for (const char* base : {"D:\\Apps", "\\\\server\\share", "\\\\srv\\a\\Program Files (x86)"})
    CheckPackageDescription(
        ReadPackageDescription(dir.Write("x.ini", With("default_base_directory", base))));
}

}  // namespace
