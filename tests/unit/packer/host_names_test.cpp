// Names as Windows compares them, and as a terminal may safely show them.
#include <filesystem>

#include <gtest/gtest.h>

#include "packer/printable_text.h"
#include "packer/product_files.h"
#include "tests/support/scratch_dir.h"

namespace {

TEST(HostNames, NamesWindowsTakesAsOneAreRefused) {
  // UTF-8 pairs; same: Windows would put both in one file.
  const struct {
    const char* a;
    const char* b;
    bool same;
  } cases[] = {
      {"caf\xc3\xa9.txt", "CAF\xc3\x89.TXT", true},  // é É
      {"\xc3\xb8", "\xc3\x98", true},                // ø Ø
      {"\xc3\xbe", "\xc3\x9e", true},                // þ Þ
      {"\xc5\xa1", "\xc5\xa0", true},                // š Š
      {"\xc5\x93", "\xc5\x92", true},                // œ Œ
      {"\xc5\xbe", "\xc5\xbd", true},                // ž Ž
      {"\xc3\xbf", "\xc5\xb8", true},                // ÿ Ÿ
      {"\xc3\x97", "\xc3\xb7", false},               // × ÷: not a letter pair
      {"\xc3\x9f", "ss", false},                     // ß
      {"\xc3\xa9", "e", false},                      // é e
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.a) + " " + c.b);
    ScratchDir dir;
    dir.Write(c.a, "1");
    dir.Write(c.b, "2");
    if (c.same) {
      EXPECT_THROW(ListProductFiles(dir.Root(), "", DefaultDestination()), KpxError);
    } else {
      EXPECT_EQ(ListProductFiles(dir.Root(), "", DefaultDestination()).size(), 2u);
    }
  }
}

TEST(HostNames, ControlCharactersAndBrokenUtf8AreEscaped) {
  const std::pair<std::string, std::string> cases[] = {
      {"caf\xc3\xa9 \xe2\x82\xac", "caf\xc3\xa9 \xe2\x82\xac"},
      {"bell\a esc\x1b[2J", "bell\\x07 esc\\x1B[2J"},
      {"tab\t new\nline del\x7f", "tab\\x09 new\\x0Aline del\\x7F"},
      {"csi \xc2\x9b", "csi \\u009B"},
      {"cut \xc3", "cut \\xC3"},
      {"overlong \xc0\xae surrogate \xed\xa0\x80", "overlong \\xC0\\xAE surrogate \\xED\\xA0\\x80"},
  };
  for (const auto& [text, printable] : cases) EXPECT_EQ(PrintableText(text), printable);
  EXPECT_EQ(PrintableEntryName("Caf\xe9\\\x80 \x81"), "Caf\xc3\xa9\\\xe2\x82\xac \\u0081");
}

}  // namespace
