// Finding, naming and ordering the files of a product folder, and refusing what cannot install.
#include "packer/product_files.h"

#include <filesystem>
#include <functional>

#include <gtest/gtest.h>

#include "tests/support/scratch_dir.h"

namespace {

namespace fs = std::filesystem;

std::vector<std::string> Names(const std::vector<ProductFile>& files) {
  std::vector<std::string> names;
  for (const ProductFile& f : files) names.push_back(f.Name);
  return names;
}

TEST(ProductFiles, FirstFileLeadsThenNamesAreSortedInCodePage1252) {
  ScratchDir dir;
  dir.Write("sub/deeper/z.bin", "z");
  dir.Write("sub/a.dll", "a");
  dir.Write("quorvel.exe", "MZ");
  dir.Write("caf\xc3\xa9 \xe2\x82\xac.txt", "x");  // "café €.txt"
  std::vector<ProductFile> files = ListProductFiles(dir.Root(), "quorvel.exe", DefaultDestination());
  EXPECT_EQ(Names(files), (std::vector<std::string>{"quorvel.exe", "caf\xe9 \x80.txt", "sub\\a.dll",
                                                    "sub\\deeper\\z.bin"}));
  files = ListProductFiles(dir.Root(), "sub/a.dll", DefaultDestination());
  EXPECT_EQ(files[0].Name, "sub\\a.dll");
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
      {"names Windows takes as one",
       [](const ScratchDir& d) { d.Write("caf\xc3\xa9", "1"), d.Write("CAF\xc3\x89", "2"); }, "",
       "another file"},
      {"trailing dot", [](const ScratchDir& d) { d.Write("dir./x.txt", "x"); }, "",
       "ends with a dot"},
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

}  // namespace
