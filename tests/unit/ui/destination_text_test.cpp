// Destination texts at ordinary lengths and at the limit of the 260-byte buffers. Texts that name
// no folder, and the refusal of 259 characters, the Wine suites meet through the dialog.
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

// As the dialog reads a typed destination, once it is a full path: one trailing '\' dropped, but
// never a drive root's, then room needed for the '\' that the install appends.
TEST(DestinationText, TypedDestinationLosesOneTrailingBackslashAndNeedsRoomForOne) {
  const struct {
    std::string Typed, Kept;
    bool Fits;
  } rows[] = {
      {"D:\\Games\\", "D:\\Games", true},
      {"D:\\Games\\\\", "D:\\Games\\", true},
      {std::string(258, 'a') + "\\", std::string(258, 'a'), true},
      {"C:\\", "C:\\", true},
  };
  for (const auto& row : rows) {
    char path[kPathSize];
    CopyPath(path, kPathSize, row.Typed.c_str());
    DropTrailingBackslash(path);
    EXPECT_EQ(std::string(path), row.Kept);
    EXPECT_EQ(CanTakeTrailingBackslash(path, kPathSize), row.Fits) << row.Typed.size();
  }
}

}  // namespace
