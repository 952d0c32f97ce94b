// Writing an output file of kpx pack and package whole or not at all. Host only.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Writes bytes to path through a temporary file created afresh beside it (never an existing file
// or link), renamed over path once every byte is written and the file is flushed and closed.
// On failure throws KpxError naming path with the system's reason ("No space left on device");
// the old file at path is then untouched and the temporary file removed.
void WriteFileAtomically(const std::string& path, const std::vector<uint8_t>& bytes);
