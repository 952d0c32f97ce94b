// Builds a payload archive from the files of a product folder: compresses, verifies, orders.
// Host only.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "packer/product_files.h"

// Compresses every file at level (1..9), stores those that compression does not make smaller,
// decodes every compressed entry again with the program's decoder, and returns the archive.
// Throws KpxError naming the file when one cannot be read or a stream does not decode back.
std::vector<uint8_t> BuildPayload(const std::vector<ProductFile>& files, int level);
