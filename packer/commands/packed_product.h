// A package description checked and its product packed: what `kpx package` writes out and what
// `kpx release` writes into the program stub. Host only.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "packer/description/package_description.h"

struct PackedProduct {
  PackageDescription Description;
  std::vector<uint8_t> Icon;  // the checked .ico file; empty: the program's own icon
  uint64_t PayloadSize = 0;   // bytes of the payload archive that PackProduct wrote
  int FileCount = 0;
};

// Checks the description (read and checked already) and its icon and files, and packs the
// product with the program file first into the payload archive payloadPath (its folder made when
// missing), streamed and written whole or not at all; warns past the payload size that the
// 32-bit program can be trusted to load. Throws KpxError naming the file, line and field.
PackedProduct PackProduct(const PackageDescription& description, int level,
                          const std::string& payloadPath);

// Writes `kpx package`'s other outputs into folder, the payload's (PackProduct made it):
// description.txt and program.ico (removed when the description names no icon).
void WritePackage(const PackedProduct& product, const std::string& folder);
