// Finding, naming and ordering the files of a product folder, and refusing what cannot install.
#include "packer/payload/product_files.h"

#include <filesystem>
#include <fstream>

#include <gtest/gtest.h>

#include "packer/output_file.h"
#include "packer/payload/payload_builder.h"

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
  std::vector<ProductFile> files =
      ListProductFiles(dir.Root(), "quorvel.exe", DefaultDestination());
  EXPECT_EQ(Names(files), (std::vector<std::string>{"quorvel.exe", "caf\xe9 \x80.txt", "sub\\a.dll",
                                                    "sub\\deeper\\z.bin"}));
  files = ListProductFiles(dir.Root(), "sub/a.dll", DefaultDestination());
  EXPECT_EQ(files[0].Name, "sub\\a.dll");
  EXPECT_THROW(ListProductFiles(dir.Root(), "main.exe", DefaultDestination()), KpxError);
}

TEST(ProductFiles, BadTreesAreRefusedNamingTheCause) {
  using D = const ScratchDir&;
  const struct {
    void (*make)(D);
    const char* message;  // part of the error text
  } cases[] = {
      {[](D d) { fs::create_directories(d.Root() + "/a/b"); }, "no files below"},
      {[](D d) { d.Write("\xe6\x97\xa5.txt", "x"); }, "code page 1252"},
      {[](D d) { d.Write("a:b.txt", "x"); }, "a:b.txt"},
      {[](D d) { d.Write("caf\xc3\xa9", "1"), d.Write("CAF\xc3\x89", "2"); }, "another file"},
      {[](D d) { d.Write("dir./x.txt", "x"); }, "ends with a dot"},
      {[](D d) { d.Write("f", "x"), fs::create_symlink(d.Path("gone"), d.Path("dead")); },
       "symbolic links are not packed (copy what each one points to into the folder instead)"},
      {[](D d) {  // each link is named, wherever it points
         d.Write("sub/a.exe", "MZ"), fs::create_symlink("/etc/passwd", d.Path("readme.txt"));
         fs::create_symlink("a.exe", d.Path("sub/b.exe"));
       },
       "/readme.txt, "},
      {[](D d) { fs::resize_file(d.Write("big", ""), uint64_t(1) << 31); },
       "big: the file has 2^31 bytes"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.message);
    ScratchDir dir;
    c.make(dir);
    try {
      ListProductFiles(dir.Root(), "", DefaultDestination());
      ADD_FAILURE() << "accepted";
    } catch (const KpxError& e) {
      EXPECT_NE(std::string(e.what()).find(c.message), std::string::npos) << e.what();
    }
  }
}

void LinkInstead(const fs::path& path, const fs::path& target) {
  fs::remove_all(path);
  fs::create_symlink(target, path);
}

// What was listed is what gets packed: a file changed between the listing and its reading (the
// seam: the change is made between the two calls) fails the pack instead of packing what the path
// leads to now.
TEST(ProductFiles, AFileChangedAfterListingIsNotPacked) {
  using D = const ScratchDir&;
  const struct {
    void (*change)(D product, D outside);
    const char* message;
  } cases[] = {
      {[](D p, D o) { LinkInstead(p.Path("readme.txt"), o.Write("passwd", "SECRET")); },
       "readme.txt: the file changed while packing (it is now a symbolic link)"},
      {[](D p, D) { fs::rename(p.Write("new.txt", "OTHERS"), p.Path("readme.txt")); },
       "readme.txt: the file changed while packing (another file is now at its path)"},
      {[](D p, D o) {
         o.Write("sub/data.bin", "SECRET"), LinkInstead(p.Path("sub"), o.Path("sub"));
       },
       "data.bin: the file changed while packing (another file is now at its path)"},
      {[](D p, D) { std::ofstream(p.Path("readme.txt"), std::ios::app) << "more"; },
       "readme.txt: the file changed while packing (its size changed)"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.message);
    ScratchDir product, outside;
    product.Write("quorvel.exe", "MZ");
    product.Write("readme.txt", "readme");
    product.Write("sub/data.bin", "binary");
    const std::vector<ProductFile> files =
        ListProductFiles(product.Root(), "", DefaultDestination());
    c.change(product, outside);
    try {
      AtomicOutput out(outside.Path("out.kpx"));
      BuildPayload(files, 5, out);
      ADD_FAILURE() << "packed";
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
