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
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>

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

// The race rows' seam: the path whose open triggers the swap, and the folder to swap.
struct Swap {
  std::string Destination;  // as the extractor gets it
  std::string Trigger;      // relative, '\'-separated
  std::string Folder;       // relative, '\'-separated; swapped once
  bool Done;
  bool Moved;  // the folder could be moved aside
};
Swap Pending;

// Moves the pending folder aside (to NAME.aside) and, where links can be made, puts a link to the
// folder outside in its place.
void SwapAtOpen(const char* path) {
  if (Pending.Done || path != Pending.Destination + "\\" + Pending.Trigger) return;
  Pending.Done = true;
  const std::string folder = Pending.Destination + "\\" + Pending.Folder;
#ifdef _WIN32
  Pending.Moved = MoveFileA(folder.c_str(), (folder + ".aside").c_str()) != FALSE;
#else
  fs::path native = folder;
  std::string text = native.string();
  for (char& c : text)
    if (c == '\\') c = '/';
  std::error_code error;
  fs::rename(text, text + ".aside", error);
  Pending.Moved = !error;
  const fs::path outside = fs::path(Pending.Destination).parent_path() / "outside" / "dir";
  if (Pending.Moved) fs::create_directory_symlink(outside, text, error);
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
  // Each entry goes through (a folder link) or over the link of its name's first component.
  const struct {
    TestEntry entry;
    bool seenUnderWine;
  } rows[] = {
      {StoredEntry("dirlink\\new.txt", "new"), true},
      {StoredEntry("hard", "new"), true},
      {StoredEntry("filelink", "new"), false},
      {StoredEntry("dangling", "new"), false},
      {CompressedEntry("damaged", BrokenStreamAfter('x', 100), 200), false},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.entry.Name);
    if (wine && !row.seenUnderWine) continue;
    std::string archive;
    AppendEntry(archive, row.entry);
    EXPECT_EQ(kExtractCannotCreateFile, ExtractTo(archive, 0, dest));
    EXPECT_EQ(before, Snapshot(base / "outside"));
    EXPECT_EQ(LastCreated(), "");
  }
}

TEST_F(ExtractEntryLinks, AFolderSwappedForALinkAfterItsCheckIsNeverFollowed) {
  const struct {
    const char* label;
    const char* name;     // the entry
    const char* trigger;  // the open before which the swap happens
    const char* folder;   // the folder swapped
    const char* landed;   // where the file is found afterwards, "" when refused
  } rows[] = {
      {"the top folder, before the folder below it", "a\\b\\f.txt", "a\\b", "a", "a.aside/b/f.txt"},
      {"the file's folder, before the file", "a\\b\\f.txt", "a\\b\\f.txt", "a\\b",
       "a/b.aside/f.txt"},
      {"the top folder, before the file", "a\\f.txt", "a\\f.txt", "a", "a.aside/f.txt"},
      {"a folder, before it is opened itself", "a\\f.txt", "a", "a", ""},
  };
  int number = 0;
  for (const auto& row : rows) {
    SCOPED_TRACE(row.label);
    const fs::path base = scratch.Path("race" + std::to_string(++number));
    fs::create_directories(base / "outside" / "dir");
    fs::create_directories(base / "dest" / "a" / "b");
    const std::string dest = (base / "dest").string();
    Pending = Swap{dest, row.trigger, row.folder, false, false};
    FileOpsTest.BeforeOpen = SwapAtOpen;
    std::string archive;
    AppendEntry(archive, StoredEntry(row.name, "new"));
    const int result = ExtractTo(archive, 0, dest);
    FileOpsTest.BeforeOpen = nullptr;
    ASSERT_TRUE(Pending.Done);
    EXPECT_TRUE(Snapshot(base / "outside").empty());
#ifdef _WIN32
    // A held folder cannot be moved; one not yet held can, and is then made anew.
    EXPECT_EQ(Pending.Moved, row.landed[0] == '\0');
    EXPECT_EQ(result, int(archive.size()));
    if (row.landed[0] != '\0') {
      EXPECT_EQ(ReadWholeFile((base / "dest" / row.name).string()), "new");
    }
#else
    ASSERT_TRUE(Pending.Moved);
    if (row.landed[0] == '\0') {
      EXPECT_EQ(result, kExtractCannotCreateFile);
    } else {
      EXPECT_EQ(result, int(archive.size()));
      EXPECT_EQ(ReadWholeFile((base / "dest" / row.landed).string()), "new");
    }
#endif
  }
}
