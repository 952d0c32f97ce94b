// Words for what list, extract and check find in an archive: entry names, header problems and
// extraction failures, and the one-line failure message they all print. Host only.
#pragma once

#include <cstdint>
#include <string>

#include "archive/entry_header.h"

// The entry's name as stored, without its NUL.
std::string EntryName(const EntryHeader& entry);

// "lh5" for a compressed entry, "stored" for method 0, "stored(N)" for any other method.
std::string MethodName(uint32_t method);

// What is wrong with a malformed header, in words.
const char* HeaderProblemText(HeaderProblem problem);

// What an ExtractEntry failure means, in words; decodeFailed tells the two causes of -2 apart.
const char* ExtractFailureText(int result, bool decodeFailed);

// Prints "kpx: entry N (NAME) at offset X: REASON" to stderr; number counts from 1, and an empty
// name is left out.
void ReportEntryFailure(uint32_t number, uint32_t offset, const std::string& name,
                        const std::string& reason);
