// Builds a payload archive from the files of a product folder: compresses, verifies, orders.
// Host only.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "packer/archive_writer.h"
#include "packer/product_files.h"

// The largest payload that the program is sure to load on every machine (docs/package-description.md):
// the whole program is mapped into a 32-bit process's 2 GiB address space.
constexpr uint64_t kLargestSafePayload = uint64_t(1) << 30;

// Compresses every file at level (1..9), stores those that compression does not make smaller,
// decodes every compressed entry again with the program's decoder, and returns the archive.
// Throws KpxError naming the file when one cannot be read, a stream does not decode back, or its
// entry would end past sizeLimit (the format's limit; smaller only in tests).
std::vector<uint8_t> BuildPayload(const std::vector<ProductFile>& files, int level,
                                  uint64_t sizeLimit = kMaxArchiveSize);
