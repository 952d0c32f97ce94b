// Finds one resource's bytes inside a PE image (a built setup.exe, 32- or 64-bit) without loading
// it: the section table maps addresses to file offsets and the resource tree is walked type, id,
// first language. Every read is bounds-checked. Host only.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// True when image starts like a PE file ("MZ").
bool LooksLikePeImage(const std::vector<uint8_t>& image);

// The bytes of the resource of the named type typeName (compared without case) and integer id,
// in its first language. Throws KpxError, saying what is missing or damaged, when the
// image has no such resource or its structures leave the file.
// Where that resource's bytes lie in image[0..imageSize-1] (a mapped file), found and checked as
// above.
struct ResourcePlace {
  uint64_t Offset, Size;
};
ResourcePlace LocateNamedTypeResource(const uint8_t* image, size_t imageSize,
                                      const std::string& typeName, uint32_t id);

std::vector<uint8_t> FindNamedTypeResource(const std::vector<uint8_t>& image,
                                           const std::string& typeName, uint32_t id);
