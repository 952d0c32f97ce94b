// The strict reader of one-section INI files. Host only.
#include "packer/description/ini_section.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <map>
#include <sstream>

#include "packer/kpx_error.h"

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string Trim(const std::string& text) {
  size_t begin = 0, end = text.size();
  while (begin < end && IsBlank(text[begin])) ++begin;
  while (end > begin && IsBlank(text[end - 1])) --end;
  return text.substr(begin, end - begin);
}

// The line without a comment at its end: one that starts with ';' after a space or a tab.
std::string WithoutComment(const std::string& line) {
  for (size_t i = 1; i < line.size(); ++i) {
    if (line[i] == ';' && IsBlank(line[i - 1])) return line.substr(0, i);
  }
  return line;
}

std::string ReadText(const std::string& path) {
  errno = 0;
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  if (in) text << in.rdbuf();
  if (!in || in.bad()) {
    throw KpxError(path + ": cannot be read (" + std::strerror(errno ? errno : EIO) + ")");
  }
  return text.str();
}

}  // namespace

std::vector<IniSetting> ReadIniSection(const std::string& path, const std::string& section) {
  std::string text = ReadText(path);
  if (text.compare(0, 3, "\xEF\xBB\xBF") == 0) text.erase(0, 3);  // a UTF-8 byte order mark
  std::vector<IniSetting> settings;
  std::map<std::string, int> keyLines;
  int sectionLine = 0;
  std::istringstream lines(text);
  std::string raw;
  for (int number = 1; std::getline(lines, raw); ++number) {
    if (!raw.empty() && raw.back() == '\r') raw.pop_back();
    const std::string line = Trim(WithoutComment(raw));
    auto fail = [&](const std::string& what) {
      throw KpxError(path + ":" + std::to_string(number) + ": " + what);
    };
    if (line.empty() || line[0] == ';' || line[0] == '#') continue;
    if (IsBlank(raw[0])) fail("an indented line (a value cannot continue on the next line)");
    if (line[0] == '[') {
      if (line.back() != ']') fail("a section line must end with ']'");
      const std::string name = Trim(line.substr(1, line.size() - 2));
      if (name != section)
        fail("unknown section [" + name + "] (the file has one section, [" + section + "])");
      if (sectionLine != 0)
        fail("[" + section + "] given twice (first on line " + std::to_string(sectionLine) + ")");
      sectionLine = number;
      continue;
    }
    const size_t equals = line.find('=');
    if (equals == std::string::npos) fail("expected KEY = VALUE");
    IniSetting setting{Trim(line.substr(0, equals)), Trim(line.substr(equals + 1)), number};
    if (setting.Key.empty()) fail("a line without a key");
    if (sectionLine == 0) fail(setting.Key + " comes before [" + section + "]");
    auto [first, added] = keyLines.emplace(setting.Key, number);
    if (!added)
      fail(setting.Key + " given twice (first on line " + std::to_string(first->second) + ")");
    settings.push_back(setting);
  }
  if (sectionLine == 0) throw KpxError(path + ": no [" + section + "] section");
  return settings;
}
