// ExtractEntry never writes through a link below the destination: a folder link, a file link and
// a dangling link where an entry goes, a damaged entry over a file link, and a hard link.
// Natively the links are made here. Cross-built, the CTest fixture makes them as Unix links before
// the run (a program under Wine cannot), and Wine shows only the folder link as a link: a Unix file
// link looks like a plain file (and is followed even by a delete), a dangling one like nothing.
// Those rows only run where the platform can tell.
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>

#include <gtest/gtest.h>

#include "archive/file_ops.h"
#include "tests/support/extract_fixture.h"

namespace fs = std::filesystem;

namespace {

// Every file below root with its contents.
std::map<std::string, std::string> Snapshot(const fs::path& root) {
  std::map<std::string, std::string> files;
  for (const auto& item : fs::recursive_directory_iterator(root))
    if (item.is_regular_file())
      files[fs::relative(item.path(), root).generic_string()] = ReadWholeFile(item.path().string());
  return files;
}

#ifndef _WIN32
// The layout the fixture of the cross-built tests makes (tests/unit/CMakeLists.txt).
void MakeLinks(const fs::path& base) {
  fs::create_directories(base / "outside" / "dir");
  fs::create_directories(base / "dest");
  for (const char* name :
       {"outside/dir/kept.txt", "outside/target.txt", "outside/other.txt", "outside/hard.txt"})
    std::ofstream(base / name) << "outside " << name;
  fs::create_directory_symlink("../outside/dir", base / "dest" / "dirlink");
  fs::create_symlink("../outside/target.txt", base / "dest" / "filelink");
  fs::create_symlink("../outside/missing.txt", base / "dest" / "dangling");
  fs::create_symlink("../outside/other.txt", base / "dest" / "damaged");
  fs::create_hard_link(base / "outside" / "hard.txt", base / "dest" / "hard");
}
#endif

}  // namespace

class ExtractEntryLinks : public ExtractFixture {};

TEST_F(ExtractEntryLinks, NothingOutsideTheDestinationIsCreatedChangedOrTruncated) {
#ifdef _WIN32
  const char* fixture = std::getenv("KPX_EXTRACT_LINKS");
  if (fixture == nullptr) GTEST_SKIP() << "the links come from the CTest fixture";
  const fs::path base = fixture;
#else
  const fs::path base = scratch.Root();
  MakeLinks(base);
#endif
  const std::string dest = (base / "dest").string();
  const auto before = Snapshot(base / "outside");
  ASSERT_EQ(4u, before.size());
  // Each entry goes through (a folder link) or over the link of its name's first component.
  for (const TestEntry& entry :
       {StoredEntry("dirlink\\new.txt", "new"), StoredEntry("filelink", "new"),
        StoredEntry("dangling", "new"), StoredEntry("hard", "new"),
        CompressedEntry("damaged", BrokenStreamAfter('x', 100), 200)}) {
    const std::string link = entry.Name.substr(0, entry.Name.find('\\'));
    SCOPED_TRACE(link);
    std::string archive;
    AppendEntry(archive, entry);
    const bool seen = IsLinkAt((dest + "\\" + link).c_str());
#ifndef _WIN32
    // A hard link is no link to IsLinkAt; the creation of the file refuses it.
    EXPECT_NE(link == "hard", seen);
#else
    if (!seen) continue;  // Wine: not a link to any Win32 call
#endif
    EXPECT_EQ(kExtractCannotCreateFile, ExtractTo(archive, 0, dest));
    EXPECT_EQ(before, Snapshot(base / "outside"));
  }
}
