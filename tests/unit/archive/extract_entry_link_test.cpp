// ExtractEntry never writes through a link below the destination: a folder link, a file link and
// a dangling link where an entry goes, and a damaged entry over a file link. Natively the links
// are made here. Cross-built, the CTest fixture makes them as Unix links before the run (a program
// under Wine cannot), and Wine shows only the folder link as one: its file links look like plain
// files, dangling ones like nothing. Whatever the platform sees, nothing outside changes.
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
  for (const char* name : {"outside/dir/kept.txt", "outside/target.txt", "outside/other.txt"})
    std::ofstream(base / name) << "outside " << name;
  fs::create_directory_symlink("../outside/dir", base / "dest" / "dirlink");
  fs::create_symlink("../outside/target.txt", base / "dest" / "filelink");
  fs::create_symlink("../outside/missing.txt", base / "dest" / "dangling");
  fs::create_symlink("../outside/other.txt", base / "dest" / "damaged");
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
  ASSERT_EQ(3u, before.size());
  struct Row {
    const char* what;
    const char* link;
    TestEntry entry;
  } rows[] = {
      {"folder link", "dirlink", StoredEntry("dirlink\\new.txt", "new")},
      {"file link", "filelink", StoredEntry("filelink", "new")},
      {"dangling link", "dangling", StoredEntry("dangling", "new")},
      {"damaged entry over a file link", "damaged",
       CompressedEntry("damaged", BrokenStreamAfter('x', 100), 200)},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    std::string archive;
    AppendEntry(archive, row.entry);
    const bool seen = IsLinkAt((dest + "\\" + row.link).c_str());
#ifndef _WIN32
    EXPECT_TRUE(seen);
#endif
    const int result = ExtractTo(archive, 0, dest);
    if (seen) {
      EXPECT_EQ(kExtractCannotCreateFile, result);
    }
    EXPECT_EQ(before, Snapshot(base / "outside"));
  }
}
