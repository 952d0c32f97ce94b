// Bounded path helpers and the uninstall command: the edge where a path stops fitting.
#include <gtest/gtest.h>

#include <string>

#include "system/path_buffer.h"
#include "system/uninstall_key.h"

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

TEST(UninstallCommand, QuotesThePathAndFailsWhenTooLong) {
  char command[260];
  ASSERT_TRUE(ComposeUninstallCommand(command, sizeof command, "c:\\program files\\Q", "quorvel",
                                      "/uninstall"));
  EXPECT_STREQ("\"c:\\program files\\Q\\quorvel.exe\" /uninstall", command);
  std::string longDirectory(240, 'd');
  EXPECT_FALSE(ComposeUninstallCommand(command, sizeof command, longDirectory.c_str(), "quorvel",
                                       "/uninstall"));
}

}  // namespace
