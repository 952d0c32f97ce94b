// EmptyDirectoryTree under Wine: what survives, the root's removal, links to directories, and the
// current directory afterwards.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "system/directory_tree.h"
#include "tests/unit/system/system_test_env_win.h"

#define WIN32_LEAN_AND_MEAN
#include <windows.h>

namespace {

TEST(EmptyDirectoryTree, RemovesNestedTreeAndRootOrNothingAndRestoresTheCurrentDirectory) {
  TempDirectory root;
  std::string tree = root.Join("tree");
  WriteTextFile(tree + "\\a\\b\\c.txt", "c");
  WriteTextFile(tree + "\\top.txt", "t");
  const auto before = std::filesystem::current_path();
  EmptyDirectoryTree(tree.c_str(), kRemoveTreeRoot);
  EXPECT_FALSE(DirectoryExists(tree));
  EXPECT_EQ(before, std::filesystem::current_path());
  EmptyDirectoryTree(tree.c_str(), kRemoveTreeRoot);  // now missing
  EXPECT_EQ(before, std::filesystem::current_path());
  EXPECT_TRUE(DirectoryExists(root.Root()));
}

TEST(EmptyDirectoryTree, ReadOnlyFileKeepsItsDirectoriesAndTheRoot) {
  TempDirectory root;
  std::string tree = root.Join("tree");
  WriteTextFile(tree + "\\a\\locked.txt", "l");
  SetFileAttributesA((tree + "\\a\\locked.txt").c_str(), FILE_ATTRIBUTE_READONLY);
  WriteTextFile(tree + "\\a\\free.txt", "f");
  EmptyDirectoryTree(tree.c_str(), kRemoveTreeRoot);
  EXPECT_EQ("locked.txt", ListDirectory(tree + "\\a"));
}

// The link comes from the test fixture when CTest runs this program (a Unix symbolic link, which
// Wine reports as a directory with the reparse-point attribute), else from CreateSymbolicLinkA.
TEST(EmptyDirectoryTree, DirectoryLinkIsNeverEntered) {
  TempDirectory root;
  const char* fixture = getenv("KPX_LINK_FIXTURE");
  std::string base = fixture != nullptr ? std::string(fixture) : root.Root();
  std::string outside = base + "\\outside", tree = base + "\\tree", link = tree + "\\link";
  if (fixture == nullptr) {
    WriteTextFile(outside + "\\precious.txt", "keep me");
    MakeDirectory(tree);
    CreateSymbolicLinkA(link.c_str(), outside.c_str(), SYMBOLIC_LINK_FLAG_DIRECTORY);
  }
  if (!DirectoryExists(link)) GTEST_SKIP() << "no link to a directory can be made here";
  EmptyDirectoryTree(tree.c_str(), kRemoveTreeRoot);
  EXPECT_TRUE(FileExists(outside + "\\precious.txt"));
}

}  // namespace
