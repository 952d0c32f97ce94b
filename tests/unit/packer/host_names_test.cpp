// Names of the host as Windows takes them (code page 1252, forbidden names, case), and as a
// terminal may safely show them.
#include <gtest/gtest.h>

#include "packer/payload/ansi_names.h"
#include "packer/printable_text.h"

namespace {

TEST(HostNames, WindowsNameRules) {
  for (const char* good : {"setup.exe", "Quorvelane Help.lnk", "console.txt", "com10", "CONIN"})
    EXPECT_EQ(WindowsNameProblem(good), nullptr) << good;
  for (const char* bad : {"",         ".",        "..",          "a\\b",     "a/b",    "a*",
                          "a?",       "\"a\"",    "<a>",         "a|b",      "tab\t",  "dot.",
                          "space ",   "con",      "Aux.txt",     "lpt1.log", "COM9",   "NUL .txt",
                          "AUX .txt", "CON .log", "CONIN$",      "CONOUT$",  "CLOCK$", "COM\xB9",
                          "COM\xB2",  "COM\xB3",  "LPT\xB2.txt", "trail.",   "trail2 "})
    EXPECT_NE(WindowsNameProblem(bad), nullptr) << bad;
  std::string out;
  EXPECT_FALSE(Utf8ToCp1252("\xc3", out));             // cut sequence
  EXPECT_FALSE(Utf8ToCp1252("\xc0\xae", out));         // overlong form
  EXPECT_FALSE(Utf8ToCp1252("\xc2\x81", out));         // U+0081 has no cp1252 byte
  EXPECT_TRUE(Utf8ToCp1252("\xc5\x93\xc3\xbf", out));  // œ ÿ
  EXPECT_EQ(out, "\x9c\xff");
  // é þ š œ ž ÿ fold to their capitals; × ÷ and ß are no letter pair.
  EXPECT_EQ(WindowsCaseFold("caf\xe9 \xfe\x9a\x9c\x9e\xff \xd7\xf7\xdf"),
            "CAF\xc9 \xde\x8a\x8c\x8e\x9f \xd7\xf7\xdf");
}

TEST(HostNames, ControlCharactersAndBrokenUtf8AreEscaped) {
  const std::pair<std::string, std::string> cases[] = {
      {"caf\xc3\xa9 \xe2\x82\xac", "caf\xc3\xa9 \xe2\x82\xac"},
      {"bell\a esc\x1b tab\t nl\n del\x7f", "bell\\x07 esc\\x1B tab\\x09 nl\\x0A del\\x7F"},
      {"csi \xc2\x9b", "csi \\u009B"},
      {"cut \xc3", "cut \\xC3"},
      {"overlong \xc0\xae surrogate \xed\xa0\x80", "overlong \\xC0\\xAE surrogate \\xED\\xA0\\x80"},
  };
  for (const auto& [text, printable] : cases) EXPECT_EQ(PrintableText(text), printable);
}

}  // namespace
