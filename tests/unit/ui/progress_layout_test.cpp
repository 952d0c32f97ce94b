// Geometry of the painted progress control and the shortening rule of its file name.
#include "ui/progress_layout.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(ProgressLayout, DonePartIsProportionalAndTruncated) {
  const struct {
    uint32_t Done, Total;
    int Filled;
  } rows[] = {
      {0, 77, 0},    {1, 77, 1},    {38, 77, 49},
      {77, 77, 100}, {78, 77, 100},  // more done than the total: all of it
      {5, 0, 100},                   // no total: all of it
  };
  for (const auto& row : rows) {
    ProgressLayout l = LayOutProgress(104, 30, row.Done, row.Total);  // interior 100 wide
    EXPECT_EQ(l.Done.Right - l.Done.Left, row.Filled) << row.Done << "/" << row.Total;
  }
}

TEST(ShortenToFit, KeepsTheLongestFittingBeginning) {
  char buffer[kShortenedTextSize];
  auto shorten = [&](const char* text, int limit) {  // ten pixels a character
    return std::string(ShortenToFit(
        text, limit, buffer, [](void*, const char*, int n) { return n * 10; }, nullptr));
  };
  const struct {
    const char* Text;
    int Limit;
    const char* Expected;
  } rows[] = {
      {"abc def", 70, "abc def"},  // fits exactly
      {"abc def", 69, "abc..."},   // "abc de..." and "abc d..." are wider than the text
      {"abc defghij", 100, "abc def..."},
      {"abc def", 50, "ab..."},
      {"abc def", 30, "..."},
      {"abc def", 29, "..."},  // narrower than the dots: the dots alone
      {"", -5, ""},
      {"a   b", 45, "a..."},
      {"   x", 35, "..."},
  };
  for (const auto& row : rows)
    EXPECT_EQ(shorten(row.Text, row.Limit), row.Expected) << row.Text << " in " << row.Limit;
  // A text longer than a path keeps at most a path.
  EXPECT_EQ(shorten(std::string(400, 'x').c_str(), 3990), std::string(kPathSize - 1, 'x') + "...");
}

}  // namespace
