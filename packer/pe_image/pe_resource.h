// Finds one resource's bytes inside a PE image (a built setup.exe, 32- or 64-bit) without loading
// it: the section table maps addresses to file offsets and the resource tree is walked type, id,
// language. Every read is bounds-checked. Host only.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// True when image starts like a PE file ("MZ").
bool LooksLikePeImage(const std::vector<uint8_t>& image);

// Where the bytes of the only resource of the named type typeName (compared without case) lie in
// image[0..imageSize-1] (a mapped file); the resource must have the integer id and one language.
// Throws KpxError, saying what is missing, repeated or damaged, when the image has no such
// resource, has other resources of that type or the resource in more than one language (Windows
// would pick one by the system's language), or when its structures leave the file.
struct ResourcePlace {
  uint64_t Offset, Size;
};
ResourcePlace LocateNamedTypeResource(const uint8_t* image, size_t imageSize,
                                      const std::string& typeName, uint32_t id);

// The bytes of that resource, found and checked as above.
std::vector<uint8_t> FindNamedTypeResource(const std::vector<uint8_t>& image,
                                           const std::string& typeName, uint32_t id);
