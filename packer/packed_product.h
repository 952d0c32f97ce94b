// A package description checked and its product packed: what `kpx package` writes out and what
// `kpx release` writes into the program stub. Host only.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "packer/package_description.h"

struct PackedProduct {
  PackageDescription Description;
  std::vector<uint8_t> Icon;  // the checked .ico file; empty: the program's own icon
  std::vector<uint8_t> Payload;
  int FileCount = 0;
};

// Checks the description (read and checked already) and its icon and files, and packs the
// product with the program file first. Throws KpxError naming the file, line and field.
PackedProduct PackProduct(const PackageDescription& description, int level);

// Writes `kpx package`'s outputs into folder (made when missing): payload.kpx, package_info.cpp
// and program.ico (removed when the description names no icon).
void WritePackage(const PackedProduct& product, const std::string& folder);
