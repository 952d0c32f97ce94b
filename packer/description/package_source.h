// The C++ source that defines the program's PackageInfo record, written by `kpx package`.
// Host only.
#pragma once

#include <string>

#include "packer/description/package_description.h"

// The text of package_info.cpp: `PackageInfo Package = {...}` with the thirteen fields in the
// record's order, texts as C++ string literals of their code page 1252 bytes.
std::string PackageInfoSource(const PackageDescription& description, int fileCount);

// A C++ string literal holding bytes exactly: \ and " escaped, every byte outside printable ASCII
// as a three-digit octal escape.
std::string CppStringLiteral(const std::string& bytes);
