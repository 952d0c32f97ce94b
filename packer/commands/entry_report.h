// Words for what list, extract and check find in an archive: entry names, header problems and
// extraction failures, and the one failure they all throw. Host only.
#pragma once

#include <cstdint>
#include <string>

#include "archive/entry_header.h"

// The entry's name as stored (code page 1252), without its NUL.
std::string EntryName(const EntryHeader& entry);

// The entry's name for a message or a listing: UTF-8, control characters escaped.
std::string EntryDisplayName(const EntryHeader& entry);

// "lh5" for a compressed entry, "stored" for method 0, "stored(N)" for any other method.
std::string MethodName(uint32_t method);

// What is wrong with a malformed header, in words.
const char* HeaderProblemText(HeaderProblem problem);

// What an ExtractEntry failure means, in words; decodeFailed tells the two causes of -2 apart.
const char* ExtractFailureText(int result, bool decodeFailed);

// Throws KpxError "entry N (NAME) at offset X: REASON"; number counts from 1, and an empty name
// is left out. name is a display name.
[[noreturn]] void FailAtEntry(uint32_t number, uint32_t offset, const std::string& name,
                              const std::string& reason);
