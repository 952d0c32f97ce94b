// Writing an output file of kpx pack and package whole or not at all, and never over an input.
// Host only.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Writes bytes to path through a temporary file created afresh beside it (never an existing file
// or link), renamed over path once every byte is written and the file is flushed and closed.
// On failure throws KpxError naming path with the system's reason ("No space left on device");
// the old file at path is then untouched and the temporary file removed.
void WriteFileAtomically(const std::string& path, const std::vector<uint8_t>& bytes);

// Throws KpxError naming output when writing it would replace or add to an input: when output lies
// in or is one of folders, or is one of files. Paths are compared as the system resolves them
// (relative spellings, links in their folders); output's own last component is not followed, since
// the write replaces a link there rather than what it points to. Call it before anything is
// written.
void CheckOutputIsNoInput(const std::string& output, const std::vector<std::string>& folders,
                          const std::vector<std::string>& files);
