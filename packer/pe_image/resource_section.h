// The resource section of a PE image as a flat list of resources, and the section written back
// from such a list. Host only.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "packer/pe_image/pe_image.h"

// A type or a name in the resource tree: a number, or a text (stored as UTF-16).
struct ResourceKey {
  uint32_t Id = 0;
  std::u16string Text;  // not empty: a named key
  bool operator==(const ResourceKey& other) const { return Id == other.Id && Text == other.Text; }
};

struct Resource {
  ResourceKey Type;
  ResourceKey Name;
  uint32_t Language = 0;
  uint32_t CodePage = 0;
  std::vector<uint8_t> Data;
};

constexpr uint32_t kIconResource = 3;        // one image of an icon
constexpr uint32_t kGroupIconResource = 14;  // the icon's directory of images

// The resources of image's section ".rsrc", in tree order. Throws KpxError when the tree is
// damaged, deeper than type, name and language, or has data outside its section.
std::vector<Resource> ReadResources(const PeImage& image);

// The bytes of a resource section at address rva holding resources: the directory tables (named
// keys first, then numbers, each in ascending order), the data entries, the names, then each
// resource's data on an 8-byte boundary.
std::vector<uint8_t> WriteResources(const std::vector<Resource>& resources, uint32_t rva);

// The named key for text (ASCII).
ResourceKey NamedKey(const std::string& text);
