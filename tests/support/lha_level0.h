// Test-only wrapping of a raw -lh5- stream in an LHA archive (header level 0, with the CRC-16 of
// the original bytes), so that the peer tool lhasa can check our streams.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The archive bytes: one level-0 header for name, the stream, and the end-of-archive byte.
std::string WrapInLhaLevel0(const std::vector<uint8_t>& stream, const std::string& original,
                            const std::string& name);

// Writes archive to a scratch file and runs `lhasa t` on it. Returns 0 when lhasa reports the
// entry intact, 1 when it does not, and -1 when lhasa cannot run here.
int TestWithLhasa(const std::string& archive, const std::string& scratchPath);
