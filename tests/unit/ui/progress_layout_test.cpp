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
      {0, 77, 0},    {1, 77, 1},     {38, 77, 49},  {76, 77, 98}, {77, 77, 100},
      {78, 77, 100},  // more done than the total: all of it
      {0, 0, 100},    // no total: all of it
      {5, 0, 100},
  };
  for (const auto& row : rows) {
    ProgressLayout l = LayOutProgress(104, 30, row.Done, row.Total);  // interior 100 wide
    EXPECT_EQ(l.Done.Right - l.Done.Left, row.Filled) << row.Done << "/" << row.Total;
    EXPECT_EQ(l.Done.Top, l.Interior.Top);
    EXPECT_EQ(l.Done.Bottom, l.Interior.Bottom);
  }
}

TEST(ProgressLayout, ProductIsTakenModulo32Bits) {
  // 2^31 done of 2^31 total with a 4-pixel interior: the product wraps, as the control computes
  // it in unsigned 32-bit arithmetic.
  ProgressLayout l = LayOutProgress(8, 30, 0x80000000u, 0x80000000u);
  EXPECT_EQ(l.Done.Right - l.Done.Left, 0);
}

// Ten pixels per character, so that limits read as character counts.
int MeasureTenEach(void*, const char*, int length) { return length * 10; }

std::string Shorten(const char* text, int limit) {
  static char buffer[kShortenedTextSize];
  return ShortenToFit(text, limit, buffer, MeasureTenEach, nullptr);
}

TEST(ShortenToFit, KeepsTheLongestFittingBeginning) {
  const struct {
    const char* Text;
    int Limit;
    const char* Expected;
  } rows[] = {
      {"abc def", 70, "abc def"},  // fits exactly
      {"abc def", 69, "abc..."},  // "abc de..." and "abc d..." are wider than the text
      {"abc defgh", 85, "abc d..."},
      {"abc defghij", 100, "abc def..."},
      {"abc def", 60, "abc..."},  // "abc ..." is never tried: no space before the dots
      {"abc def", 50, "ab..."},
      {"abc def", 30, "..."},
      {"abc def", 29, "..."},  // narrower than the dots: the dots alone
      {"abc def", -5, "..."},
      {"", -5, ""},
      {"a   b", 45, "a..."},
      {"   x", 35, "..."},
  };
  for (const auto& row : rows)
    EXPECT_EQ(Shorten(row.Text, row.Limit), row.Expected) << row.Text << " in " << row.Limit;
}

TEST(ShortenToFit, TextLongerThanAPathKeepsAtMostAPath) {
  std::string text(400, 'x');
  std::string shortened = Shorten(text.c_str(), 3990);
  EXPECT_EQ(shortened, std::string(kPathSize - 1, 'x') + "...");
}

}  // namespace
