// Finds one resource's bytes inside a PE image (a built setup.exe, 32- or 64-bit) without loading
// it: the section table maps addresses to file offsets and the resource tree is walked type, id,
// language. Every read is bounds-checked. Host only.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// True when image starts like a PE file ("MZ").
bool LooksLikePeImage(const std::vector<uint8_t>& image);

// The bytes of the only resource of the named type typeName (compared without case), which must
// have the integer id and one language. Throws KpxError, saying what is missing, repeated or
// damaged, when the image has no such resource, has other resources of that type or the resource
// in more than one language (Windows would pick one by the system's language), or when its
// structures leave the file.
std::vector<uint8_t> FindNamedTypeResource(const std::vector<uint8_t>& image,
                                           const std::string& typeName, uint32_t id);
