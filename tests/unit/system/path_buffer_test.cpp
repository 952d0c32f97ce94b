// Bounded path helpers: the edge where a path stops fitting, what counts as a full path, and the
// folder of a file at a drive's root.
#include <gtest/gtest.h>

#include "setup/setup_state.h"
#include "system/path_buffer.h"

namespace {

TEST(PathBuffer, AppendRefusesWhatWouldNotFitWithItsTerminatorAndKeepsTheBuffer) {
  char buffer[8];
  ASSERT_TRUE(CopyPath(buffer, sizeof buffer, "abc"));
  EXPECT_TRUE(AppendPath(buffer, sizeof buffer, "defg"));  // 7 characters + terminator
  EXPECT_STREQ("abcdefg", buffer);
  EXPECT_FALSE(AppendPath(buffer, sizeof buffer, "h"));
  EXPECT_STREQ("abcdefg", buffer);
  EXPECT_FALSE(CopyPath(buffer, sizeof buffer, "12345678"));
  EXPECT_STREQ("", buffer);
}

// A shell folder from the registry must be a full path, not one read against a current folder.
TEST(PathBuffer, FullPathStartsAtADriveRootOrAServer) {
  for (const char* full : {"C:\\Start Menu", "\\\\server\\share", "\\\\server\\share\\x"})
    EXPECT_TRUE(IsFullPath(full)) << full;
  for (const char* relative : {"", "\\Programs", "C:Programs", "1:\\x", "\\\\\\share", "\\\\"})
    EXPECT_FALSE(IsFullPath(relative)) << relative;
}

// A link's working directory: the folder of its target, a drive's root with its '\'.
TEST(PathBuffer, FolderOfAFileAtADriveRootKeepsTheRoot) {
  const char* rows[][2] = {{"M:\\quorvel.exe", "M:\\"}, {"C:\\Apps\\quorvel.exe", "C:\\Apps"}};
  for (const auto& row : rows) {
    char buffer[kPathSize];
    CopyPath(buffer, kPathSize, row[0]);
    EXPECT_TRUE(CutToFolder(buffer));
    EXPECT_STREQ(row[1], buffer);
  }
}

}  // namespace
