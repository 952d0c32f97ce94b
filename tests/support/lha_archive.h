// Test-only bridge to the peer LHA tool lhasa: our own streams, wrapped in a level-0 archive, are
// checked by it. Host only: on Windows the tool is reported missing.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The archive bytes: one level-0 header for name, the stream, and the end-of-archive byte.
std::string WrapInLhaLevel0(const std::vector<uint8_t>& stream, const std::string& original,
                            const std::string& name);

// Writes archive to a scratch file and runs `lhasa t` on it. Returns 0 when lhasa reports the
// entry intact, 1 when it does not, and -1 when lhasa cannot run here.
int TestWithLhasa(const std::string& archive);
