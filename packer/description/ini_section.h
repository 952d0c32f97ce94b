// Reading the settings of a one-section INI file strictly: what a loose reader would join, guess or
// drop is an error naming the file and line. Host only.
#pragma once

#include <string>
#include <vector>

struct IniSetting {
  std::string Key;
  std::string Value;
  int Line = 0;  // counting from 1
};

// Reads path, which holds "[section]" and then "key = value" lines, in file order. Blank lines and
// lines starting with ';' or '#' are skipped, and " ;" starts a comment at the end of a line. Throws
// KpxError "PATH:LINE: ..." for an indented line (values do not continue on the next line), a line
// without '=' or without a key, a setting before the section, another section, the section or a
// key given twice; "PATH: ..." when the file cannot be read or has no section.
std::vector<IniSetting> ReadIniSection(const std::string& path, const std::string& section);
