// Destination texts at ordinary lengths and at the limit of the 260-byte buffers.
#include "ui/destination_text.h"

#include <gtest/gtest.h>

#include <string>

#include "setup/setup_state.h"
#include "system/path_buffer.h"

namespace {

TEST(DestinationText, BrowsedFolderGetsOneSeparatorAndTheFolderNameOrIsRefusedUnchanged) {
  const std::string fits(259 - 11, 'a'), tooLong(259 - 10, 'a');  // + "\\" + 10 characters
  const struct {
    std::string Picked;
    bool Composed;
    std::string Expected;
  } rows[] = {
      {"D:\\Apps", true, "D:\\Apps\\Quorvelane"},
      {"D:\\", true, "D:\\Quorvelane"},
      {"", true, "\\Quorvelane"},
      {fits, true, fits + "\\Quorvelane"},
      {tooLong, false, tooLong},
  };
  for (const auto& row : rows) {
    char path[kPathSize];
    CopyPath(path, kPathSize, row.Picked.c_str());
    EXPECT_EQ(ComposeBrowsedDestination(path, kPathSize, "Quorvelane"), row.Composed) << row.Picked;
    EXPECT_EQ(std::string(path), row.Expected);
  }
}

TEST(DestinationText, OnlyOneTrailingBackslashIsDropped) {
  char path[kPathSize];
  const struct {
    const char* Typed;
    const char* Expected;
  } rows[] = {{"D:\\Games\\", "D:\\Games"}, {"D:\\Games", "D:\\Games"},
              {"D:\\Games\\\\", "D:\\Games\\"}, {"", ""}};
  for (const auto& row : rows) {
    CopyPath(path, kPathSize, row.Typed);
    DropTrailingBackslash(path);
    EXPECT_STREQ(path, row.Expected) << row.Typed;
  }
}

// "\" and "\\" alike: neither names a folder, so neither may become a drive's root.
TEST(DestinationText, BackslashesAloneNameNoFolder) {
  const struct {
    const char* Typed;
    bool NoFolder;
  } rows[] = {{"", true}, {"\\", true}, {"\\\\", true}, {"\\\\\\", true},
              {"a", false}, {"\\a", false}, {"\\\\server", false}, {"C:\\", false}};
  for (const auto& row : rows) EXPECT_EQ(row.NoFolder, NamesNoFolder(row.Typed)) << row.Typed;
}

TEST(DestinationText, TrailingBackslashNeedsRoomUnlessPresent) {
  const struct {
    std::string Path;
    bool CanTake;
  } rows[] = {{std::string(259, 'a'), false},
              {std::string(258, 'a') + "\\", true},
              {std::string(258, 'a'), true}};
  for (const auto& row : rows) {
    char path[kPathSize];
    CopyPath(path, kPathSize, row.Path.c_str());
    EXPECT_EQ(CanTakeTrailingBackslash(path, kPathSize), row.CanTake) << row.Path.size();
    EXPECT_EQ(std::string(path), row.Path);
  }
}

}  // namespace
