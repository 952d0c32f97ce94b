// Entry names for the payload: UTF-8 file names of the host turned into the Windows ANSI code page
// (1252) and checked against what Windows can hold. Host only.
#pragma once

#include <string>

// Converts one UTF-8 string to code page 1252. Returns false when the text is not valid UTF-8 or
// holds a character that the code page lacks.
bool Utf8ToCp1252(const std::string& utf8, std::string& cp1252);

// Why a name component (one file or folder name) cannot be a Windows name, or nullptr when it can.
// Refused: empty, "." and "..", control characters, \ / : * ? " < > |, a trailing dot or space,
// and the reserved device names (CON, PRN, AUX, NUL, COM1-9, LPT1-9, also with an extension).
const char* WindowsNameProblem(const std::string& component);
