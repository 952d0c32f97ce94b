// Test-only bridges to the peer LHA tools: raw -lh5- streams from an independent encoder (an
// archive of given bytes made with jlha, taken apart), and our own streams checked by lhasa
// (wrapped in a level-0 archive). Host only: on Windows the tools are reported missing.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct LhaEntry {
  std::string Method;      // "-lh5-", "-lh0-", ...
  uint32_t UnpackedSize = 0;
  std::string Stream;      // the entry's stored bytes, without any header
};

// Compresses data with `jlha` (-lh5-, header level 2) in a scratch directory and returns the
// archive's entry. Returns false when jlha is not available or fails. Small or incompressible
// data may come back stored (-lh0-).
bool CompressWithJlha(const std::string& data, LhaEntry* entry);

// The archive bytes: one level-0 header for name, the stream, and the end-of-archive byte.
std::string WrapInLhaLevel0(const std::vector<uint8_t>& stream, const std::string& original,
                            const std::string& name);

// Writes archive to a scratch file and runs `lhasa t` on it. Returns 0 when lhasa reports the
// entry intact, 1 when it does not, and -1 when lhasa cannot run here.
int TestWithLhasa(const std::string& archive);
