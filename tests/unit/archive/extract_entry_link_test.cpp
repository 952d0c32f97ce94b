// ExtractEntry never writes through a link below the destination, whether the link sits there
// before the extraction or is swapped in for a folder or the file between one step and the next.
//
// Links that sit still: a folder link, a file link and a dangling link where an entry goes, a
// damaged entry over a file link, and a hard link. Natively the links are made here. Cross-built,
// the CTest fixture makes them as Unix links before the run (a program under Wine cannot), and
// Wine shows only the folder link as a link and the hard link's second name: a Unix file link looks
// like a plain file (and is followed even by a delete), a dangling one like nothing. Those rows
// only run natively.
//
// Links swapped in: the file layer's seam acts just before a path is opened, once every folder
// above it has been checked and is held. Natively it moves the folder aside and puts a link to a
// folder outside in its place; the file must land in the folder that was checked (now moved aside)
// or not at all. Under Windows a held folder cannot be moved, which the same rows show.
#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "archive/file_ops.h"
#include "tests/support/extract_fixture.h"

#ifdef _WIN32
#include <windows.h>
#endif

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

// The race rows' seam: at the open of Destination\Trigger, moves Destination\Folder aside (to
// NAME.aside) once and, where links can be made, puts a link to the folder outside in its place.
struct Swap {
  std::string Destination, Trigger, Folder;
  bool Done, Moved;
} Pending;

void SwapAtOpen(const char* path) {
  if (Pending.Done || path != Pending.Destination + "\\" + Pending.Trigger) return;
  Pending.Done = true;
  std::string folder = Pending.Destination + "\\" + Pending.Folder;
#ifdef _WIN32
  Pending.Moved = MoveFileA(folder.c_str(), (folder + ".aside").c_str()) != FALSE;
#else
  std::replace(folder.begin(), folder.end(), '\\', '/');
  std::error_code error;
  fs::rename(folder, folder + ".aside", error);
  Pending.Moved = !error;
  if (!error)
    fs::create_directory_symlink(fs::path(Pending.Destination) / "../outside/dir", folder);
#endif
}

}  // namespace

class ExtractEntryLinks : public ExtractFixture {};

TEST_F(ExtractEntryLinks, NothingOutsideTheDestinationIsCreatedChangedOrTruncated) {
#ifdef _WIN32
  const char* fixture = std::getenv("KPX_EXTRACT_LINKS");
  if (fixture == nullptr) GTEST_SKIP() << "the links come from the CTest fixture";
  const fs::path base = fixture;
  const bool wine = true;
#else
  const fs::path base = scratch.Root();
  MakeLinks(base);
  const bool wine = false;
#endif
  const std::string dest = (base / "dest").string();
  const auto before = Snapshot(base / "outside");
  ASSERT_EQ(4u, before.size());
  // Each entry goes through (a folder link) or over the link of its name's first component; Wine
  // shows only the first two.
  const TestEntry rows[] = {StoredEntry("dirlink\\new.txt", "new"), StoredEntry("hard", "new"),
                            StoredEntry("filelink", "new"), StoredEntry("dangling", "new"),
                            CompressedEntry("damaged", BrokenStreamAfter('x', 100), 200)};
  for (const TestEntry& entry : wine ? std::vector<TestEntry>(rows, rows + 2)
                                     : std::vector<TestEntry>(std::begin(rows), std::end(rows))) {
    SCOPED_TRACE(entry.Name);
    std::string archive;
    AppendEntry(archive, entry);
    EXPECT_EQ(kExtractCannotCreateFile, ExtractTo(archive, 0, dest));
    EXPECT_EQ(before, Snapshot(base / "outside"));
    EXPECT_EQ(LastCreated(), "");
  }
}

TEST_F(ExtractEntryLinks, AFolderSwappedForALinkAfterItsCheckIsNeverFollowed) {
  // The entry, the open before which the swap happens, the folder swapped, and where the file is
  // found afterwards ("" when refused): the top folder before the folder below it, the file's
  // folder before the file, the top folder before the file, a folder before its own open.
  const char* const rows[][4] = {
      {"a\\b\\f.txt", "a\\b", "a", "a.aside/b/f.txt"},
      {"a\\b\\f.txt", "a\\b\\f.txt", "a\\b", "a/b.aside/f.txt"},
      {"a\\f.txt", "a\\f.txt", "a", "a.aside/f.txt"},
      {"a\\f.txt", "a", "a", ""},
  };
  int number = 0;
  for (const auto& [name, trigger, folder, landed] : rows) {
    SCOPED_TRACE(std::string(trigger) + " swaps " + folder);
    const fs::path base = scratch.Path("race" + std::to_string(++number));
    fs::create_directories(base / "outside" / "dir");
    fs::create_directories(base / "dest" / "a" / "b");
    Pending = Swap{(base / "dest").string(), trigger, folder, false, false};
    FileOpsTest.BeforeOpen = SwapAtOpen;
    std::string archive;
    AppendEntry(archive, StoredEntry(name, "new"));
    const int result = ExtractTo(archive, 0, Pending.Destination);
    ASSERT_TRUE(Pending.Done);
    EXPECT_TRUE(Snapshot(base / "outside").empty());
#ifdef _WIN32
    // A held folder cannot be moved; one not yet held can, and is then made anew.
    EXPECT_EQ(Pending.Moved, landed[0] == '\0');
    EXPECT_EQ(result, int(archive.size()));
#else
    ASSERT_TRUE(Pending.Moved);
    EXPECT_EQ(result, landed[0] == '\0' ? kExtractCannotCreateFile : int(archive.size()));
    if (landed[0] != '\0') {
      EXPECT_EQ(ReadWholeFile((base / "dest" / landed).string()), "new");
    }
#endif
  }
}
