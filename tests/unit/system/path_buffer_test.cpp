// Bounded path helpers: the edge where a path stops fitting.
#include <gtest/gtest.h>

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

}  // namespace
