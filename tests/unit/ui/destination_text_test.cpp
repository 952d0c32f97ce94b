// Destination texts at ordinary lengths and at the limit of the 260-byte buffers.
#include "ui/destination_text.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "setup/setup_state.h"
#include "system/path_buffer.h"

namespace {

TEST(DestinationText, DefaultJoinsBaseAndFolderAsTheyAre) {
  char out[kPathSize];
  ASSERT_TRUE(ComposeDefaultDestination(out, kPathSize, "c:\\program files", "Quorvelane"));
  EXPECT_STREQ(out, "c:\\program files\\Quorvelane");
  ASSERT_TRUE(ComposeDefaultDestination(out, kPathSize, "D:\\", "Q"));
  EXPECT_STREQ(out, "D:\\\\Q");  // the base is not inspected
}

TEST(DestinationText, BrowsedFolderGetsOneSeparatorAndTheFolderName) {
  const struct {
    const char* Picked;
    const char* Expected;
  } rows[] = {
      {"D:\\Apps", "D:\\Apps\\Quorvelane"},
      {"D:\\", "D:\\Quorvelane"},
      {"", "\\Quorvelane"},
  };
  for (const auto& row : rows) {
    char path[kPathSize];
    CopyPath(path, kPathSize, row.Picked);
    ASSERT_TRUE(ComposeBrowsedDestination(path, kPathSize, "Quorvelane")) << row.Picked;
    EXPECT_STREQ(path, row.Expected);
  }
}

TEST(DestinationText, BrowsedFolderWithoutRoomIsRefusedUnchanged) {
  std::string fits(259 - 11, 'a');  // + "\" + 10 characters = 259
  char path[kPathSize];
  CopyPath(path, kPathSize, fits.c_str());
  EXPECT_TRUE(ComposeBrowsedDestination(path, kPathSize, "Quorvelane"));
  EXPECT_EQ(strlen(path), 259u);

  std::string tooLong(259 - 10, 'a');
  CopyPath(path, kPathSize, tooLong.c_str());
  EXPECT_FALSE(ComposeBrowsedDestination(path, kPathSize, "Quorvelane"));
  EXPECT_EQ(std::string(path), tooLong);
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

TEST(DestinationText, TrailingBackslashNeedsRoomUnlessPresent) {
  char path[kPathSize];
  std::string full(259, 'a');
  CopyPath(path, kPathSize, full.c_str());
  EXPECT_FALSE(CanTakeTrailingBackslash(path, kPathSize));
  EXPECT_EQ(strlen(path), 259u);

  full[258] = '\\';
  CopyPath(path, kPathSize, full.c_str());
  EXPECT_TRUE(CanTakeTrailingBackslash(path, kPathSize));

  CopyPath(path, kPathSize, std::string(258, 'a').c_str());
  EXPECT_TRUE(CanTakeTrailingBackslash(path, kPathSize));
}

}  // namespace
