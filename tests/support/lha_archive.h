// Test-only access to peer-made LHA archives: reads the first entry of an archive (header levels
// 0, 1 and 2) and makes an archive of given bytes with the jlha tool, so that tests get raw -lh5-
// streams from an independent encoder.
#pragma once

#include <cstdint>
#include <string>

struct LhaEntry {
  std::string Method;      // "-lh5-", "-lh0-", ...
  uint32_t UnpackedSize = 0;
  std::string Stream;      // the entry's stored bytes, without any header
};

// Reads the first entry of an LHA archive. Returns false when the header is not understood or
// the stored bytes run past the end of the archive.
bool ReadFirstLhaEntry(const std::string& archive, LhaEntry* entry);

// Compresses data with `jlha` (-lh5-, header level 2) in a scratch directory and returns the
// archive's entry. Returns false when jlha is not available (e.g. on Windows) or fails. Small or
// incompressible data may come back stored (-lh0-).
bool CompressWithJlha(const std::string& data, LhaEntry* entry);
