// Builds a payload archive from the files of a product folder: compresses, verifies, orders.
// Host only.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "packer/payload/archive_writer.h"
#include "packer/output_file.h"
#include "packer/payload/product_files.h"

// The largest payload that the program is sure to load on every machine (docs/package-description.md):
// the whole program is mapped into a 32-bit process's 2 GiB address space.
constexpr uint64_t kLargestSafePayload = uint64_t(1) << 30;

// Compresses every file at level (1..9), stores those that compression does not make smaller,
// checks every compressed stream with the program's decoder, and writes the archive to out (the
// caller commits it). Returns the archive's size. Throws KpxError naming the file when one cannot
// be read, a stream does not decode back, or its entry would end past sizeLimit (the format's
// limit; smaller only in tests); out is then to be abandoned.
uint64_t BuildPayload(const std::vector<ProductFile>& files, int level, AtomicOutput& out,
                      uint64_t sizeLimit = kMaxArchiveSize);
