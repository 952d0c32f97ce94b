// Text that is safe to print on a terminal: names from an archive or a folder may hold control
// characters, which would otherwise reach the terminal as commands. Host only.
#pragma once

#include <string>

// The UTF-8 text with every control character (C0, DEL, C1) and every byte that is not part of
// valid UTF-8 written as \xNN (a C1 control as \u0080..\u009F); all else is kept.
std::string PrintableText(const std::string& utf8);

// An entry name (code page 1252, as stored) in UTF-8, printable.
std::string PrintableEntryName(const std::string& cp1252);
