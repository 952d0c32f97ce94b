// Finding, naming and ordering the files of a product folder, and refusing what cannot install.
#include "packer/product_files.h"

#include <filesystem>
#include <functional>

#include <gtest/gtest.h>

#include "packer/ansi_names.h"
#include "tests/support/scratch_dir.h"

namespace {

namespace fs = std::filesystem;

std::vector<std::string> Names(const std::vector<ProductFile>& files) {
  std::vector<std::string> names;
  for (const ProductFile& f : files) names.push_back(f.Name);
  return names;
}

TEST(ProductFiles, FirstFileLeadsThenNamesAreSortedWithBackslashes) {
  ScratchDir dir;
  dir.Write("readme.txt", "r");
  dir.Write("sub/deeper/z.bin", "z");
  dir.Write("sub/a.dll", "a");
  dir.Write("quorvel.exe", "MZ");
  std::vector<ProductFile> files = ListProductFiles(dir.Root(), "quorvel.exe", DefaultDestination());
  EXPECT_EQ(Names(files), (std::vector<std::string>{"quorvel.exe", "readme.txt", "sub\\a.dll",
                                                    "sub\\deeper\\z.bin"}));
  files = ListProductFiles(dir.Root(), "sub/a.dll", DefaultDestination());
  EXPECT_EQ(files[0].Name, "sub\\a.dll");
}

TEST(ProductFiles, NamesBecomeCodePage1252) {
  ScratchDir dir;
  dir.Write("caf\xc3\xa9 \xe2\x82\xac.txt", "x");  // "café €.txt"
  std::vector<ProductFile> files = ListProductFiles(dir.Root(), "", DefaultDestination());
  EXPECT_EQ(files[0].Name, "caf\xe9 \x80.txt");
}

struct BadTree {
  const char* what;
  std::function<void(const ScratchDir&)> make;
  const char* first;
  const char* message;  // part of the error text
};

TEST(ProductFiles, BadTreesAreRefusedNamingTheCause) {
  const BadTree cases[] = {
      {"empty folder tree", [](const ScratchDir& d) { fs::create_directories(d.Root() + "/a/b"); },
       "", "no files below"},
      {"name outside code page 1252", [](const ScratchDir& d) { d.Write("\xe6\x97\xa5.txt", "x"); },
       "", "code page 1252"},
      {"name Windows refuses", [](const ScratchDir& d) { d.Write("a:b.txt", "x"); }, "",
       "a:b.txt"},
      {"trailing dot", [](const ScratchDir& d) { d.Write("dir./x.txt", "x"); }, "",
       "ends with a dot"},
      {"names equal but for case", [](const ScratchDir& d) { d.Write("A.txt", "1"); d.Write("a.txt", "2"); },
       "", "another file"},
      {"path too long for the install folder",
       [](const ScratchDir& d) { d.Write(std::string(120, 'a') + "/" + std::string(120, 'b'), "x"); },
       "", "too long"},
      {"symbolic link loop",
       [](const ScratchDir& d) { d.Write("f.txt", "x"); fs::create_directory_symlink(d.Root(), d.Root() + "/loop"); },
       "", "symbolic link loop"},
      {"link to itself",
       [](const ScratchDir& d) { fs::create_symlink(d.Root() + "/self", d.Root() + "/self"); },
       "", "symbolic link loop"},
      {"unreadable file (broken link)",
       [](const ScratchDir& d) { d.Write("f.txt", "x"); fs::create_symlink(d.Root() + "/gone", d.Root() + "/dead"); },
       "", "dead: cannot read"},
      {"file of 2^31 bytes",
       [](const ScratchDir& d) { fs::resize_file(d.Write("big.bin", ""), uint64_t(1) << 31); },
       "", "big.bin: the file has 2^31 bytes"},
      {"missing first file", [](const ScratchDir& d) { d.Write("f.txt", "x"); }, "main.exe",
       "main.exe"},
  };
  for (const BadTree& c : cases) {
    SCOPED_TRACE(c.what);
    ScratchDir dir;
    c.make(dir);
    try {
      ListProductFiles(dir.Root(), c.first, DefaultDestination());
      ADD_FAILURE() << "accepted";
    } catch (const KpxError& e) {
      EXPECT_NE(std::string(e.what()).find(c.message), std::string::npos) << e.what();
    }
  }
}

TEST(ProductFiles, LongestPathUnderTheDestinationIsAccepted) {
  std::string destination = "c:\\program files\\Quorvelane\\";  // 28 characters
  ScratchDir dir;
  dir.Write(std::string(253 - destination.size(), 'n'), "x");
  EXPECT_NO_THROW(ListProductFiles(dir.Root(), "", destination));
  dir.Write(std::string(254 - destination.size(), 'm'), "x");
  EXPECT_THROW(ListProductFiles(dir.Root(), "", destination), KpxError);
}

TEST(AnsiNames, WindowsNameRules) {
  for (const char* good : {"setup.exe", "Quorvelane Help.lnk", "console.txt", "com10"})
    EXPECT_EQ(WindowsNameProblem(good), nullptr) << good;
  for (const char* bad : {"", ".", "..", "a\\b", "a/b", "a*", "a?", "\"a\"", "<a>", "a|b", "tab\t", "dot.", "space ", "con", "Aux.txt", "lpt1.log", "COM9"})
    EXPECT_NE(WindowsNameProblem(bad), nullptr) << bad;
  std::string out;
  EXPECT_FALSE(Utf8ToCp1252("\xc3", out));          // cut sequence
  EXPECT_FALSE(Utf8ToCp1252("\xc0\xae", out));      // overlong form
  EXPECT_FALSE(Utf8ToCp1252("\xc2\x81", out));      // U+0081 has no cp1252 byte
  EXPECT_TRUE(Utf8ToCp1252("\xc5\x93\xc3\xbf", out));  // œ ÿ
  EXPECT_EQ(out, "\x9c\xff");
}

}  // namespace
