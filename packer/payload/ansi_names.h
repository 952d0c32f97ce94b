// Entry names for the payload: UTF-8 file names of the host turned into the Windows ANSI code page
// (1252) and back, and checked against what Windows can hold. Host only.
#pragma once

#include <string>

// Converts one UTF-8 string to code page 1252. Returns false when the text is not valid UTF-8 or
// holds a character that the code page lacks.
bool Utf8ToCp1252(const std::string& utf8, std::string& cp1252);

// Why a name component (one file or folder name) cannot be a Windows name, or nullptr when it can.
// Refused: empty, "." and "..", control characters, \ / : * ? " < > |, and what the extractor
// refuses too (archive/windows_names.h): a trailing dot or space, and device names.
const char* WindowsNameProblem(const std::string& component);

// Converts code page 1252 bytes to UTF-8 (every byte has a character; see code_page_1252.h).
std::string Cp1252ToUtf8(const std::string& cp1252);

// The code page 1252 name with every letter in the case Windows compares names in (upper), so that
// two names Windows takes as one fold to the same text: "café" and "CAFÉ", "š" and "Š", "ÿ" and "Ÿ".
std::string WindowsCaseFold(const std::string& cp1252);
