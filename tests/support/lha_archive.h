// Test-only source of raw -lh5- streams from an independent encoder: makes an archive of given
// bytes with the jlha tool and takes its first entry apart.
#pragma once

#include <cstdint>
#include <string>

struct LhaEntry {
  std::string Method;      // "-lh5-", "-lh0-", ...
  uint32_t UnpackedSize = 0;
  std::string Stream;      // the entry's stored bytes, without any header
};

// Compresses data with `jlha` (-lh5-, header level 2) in a scratch directory and returns the
// archive's entry. Returns false when jlha is not available (e.g. on Windows) or fails. Small or
// incompressible data may come back stored (-lh0-).
bool CompressWithJlha(const std::string& data, LhaEntry* entry);
