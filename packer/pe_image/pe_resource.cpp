// PE resource lookup for the host tool. The layout notes below are the parts of the PE format that
// the lookup reads; all numbers are little-endian.
//
// Format notes
// ------------
//   0x3C            e_lfanew: offset of "PE\0\0"
//   PE + 6          number of sections (16 bits); PE + 20: size of the optional header (16 bits)
//   PE + 24         optional header: magic 0x10B (32-bit) or 0x20B (64-bit); the data directories
//                   start at +96 or +112, preceded by their count; entry 2 is the resource table
//   sections        after the optional header, 40 bytes each: virtual size +8, virtual address +12,
//                   raw size +16, raw offset +20
//   resource dir    16 bytes, named entries count +12, id entries count +14, then 8-byte entries:
//                   name or id (high bit: offset of a counted UTF-16 name), then the target (high
//                   bit: a subdirectory; otherwise a data entry: address, size)
#include "packer/pe_image/pe_resource.h"

#include <cctype>

#include "packer/kpx_error.h"

namespace {

constexpr uint32_t kHighBit = 0x80000000u;
constexpr uint16_t kPe32Magic = 0x10B;
constexpr uint16_t kPe32PlusMagic = 0x20B;
constexpr uint32_t kResourceDirectoryIndex = 2;
constexpr uint32_t kSectionHeaderSize = 40;

[[noreturn]] void Fail(const std::string& what) { throw KpxError(what); }

class ImageReader {
 public:
  ImageReader(const uint8_t* image, size_t size) : image_(image), size_(size) {}

  uint32_t U16(uint64_t at) const {
    Need(at, 2);
    return image_[at] | image_[at + 1] << 8;
  }
  uint32_t U32(uint64_t at) const {
    Need(at, 4);
    return uint32_t(image_[at]) | uint32_t(image_[at + 1]) << 8 | uint32_t(image_[at + 2]) << 16 |
           uint32_t(image_[at + 3]) << 24;
  }
  void Need(uint64_t at, uint64_t length) const {
    if (at > size_ || length > size_ - at) {
      Fail("the PE structures run past the end of the file");
    }
  }

 private:
  const uint8_t* image_;
  size_t size_;
};

struct Section {
  uint32_t VirtualAddress, VirtualSize, RawOffset, RawSize;
};

struct PeLayout {
  std::vector<Section> Sections;
  uint32_t ResourceRva = 0;
  uint32_t ResourceSize = 0;
};

// Reads the section table and the resource table's place from the headers.
PeLayout ReadPeLayout(const ImageReader& pe) {
  const uint32_t header = pe.U32(0x3C);
  if (pe.U32(header) != 0x00004550u) Fail("the file starts like a PE file but has no PE header");
  const uint32_t sectionCount = pe.U16(uint64_t(header) + 6);
  const uint32_t optionalSize = pe.U16(uint64_t(header) + 20);
  const uint64_t optional = uint64_t(header) + 24;
  const uint32_t magic = pe.U16(optional);
  if (magic != kPe32Magic && magic != kPe32PlusMagic) Fail("unknown PE optional header");
  const uint64_t directories = optional + (magic == kPe32Magic ? 96 : 112);
  PeLayout layout;
  if (pe.U32(directories - 4) > kResourceDirectoryIndex) {
    layout.ResourceRva = pe.U32(directories + 8 * kResourceDirectoryIndex);
    layout.ResourceSize = pe.U32(directories + 8 * kResourceDirectoryIndex + 4);
  }
  for (uint32_t i = 0; i < sectionCount; ++i) {
    const uint64_t at = optional + optionalSize + uint64_t(i) * kSectionHeaderSize;
    layout.Sections.push_back({pe.U32(at + 12), pe.U32(at + 8), pe.U32(at + 20), pe.U32(at + 16)});
  }
  return layout;
}

// Maps an address of the loaded image to a file offset with length bytes of file data behind it.
uint64_t FileOffsetOf(const PeLayout& layout, const ImageReader& pe, uint32_t rva,
                      uint32_t length) {
  for (const Section& section : layout.Sections) {
    if (rva < section.VirtualAddress) continue;
    const uint64_t within = uint64_t(rva) - section.VirtualAddress;
    if (within >= section.RawSize || length > section.RawSize - within) continue;
    const uint64_t offset = section.RawOffset + within;
    pe.Need(offset, length);
    return offset;
  }
  Fail("a resource lies outside the file's sections");
}

// The resource tree's view: offsets relative to the start of the resource table.
class ResourceTree {
 public:
  ResourceTree(const PeLayout& layout, const ImageReader& pe) : layout_(layout), pe_(pe) {}

  uint32_t U16(uint32_t at) const { return pe_.U16(Offset(at, 2)); }
  uint32_t U32(uint32_t at) const { return pe_.U32(Offset(at, 4)); }

  // The target of the entry whose name matches, in the directory at dir; throws when absent.
  uint32_t Find(uint32_t dir, const std::string* name, uint32_t id, const char* what) const {
    const uint32_t named = U16(dir + 12), ids = U16(dir + 14);
    for (uint32_t i = 0; i < named + ids; ++i) {
      const uint32_t entry = dir + 16 + 8 * i;
      const uint32_t key = U32(entry);
      const bool isNamed = (key & kHighBit) != 0;
      if (name ? isNamed && NameMatches(key & ~kHighBit, *name) : !isNamed && key == id) {
        return U32(entry + 4);
      }
    }
    Fail(std::string("the file has no ") + what);
  }

  // The number of entries in the directory at dir.
  uint32_t Count(uint32_t dir) const { return U16(dir + 12) + U16(dir + 14); }

  // The target of the only entry of the language directory at dir; throws when it is empty or
  // has more than one (Windows picks one by the system's language, so the host tool could not tell
  // which one a setup installs).
  uint32_t OnlyLanguage(uint32_t dir, const std::string& what) const {
    const uint32_t count = Count(dir);
    if (count == 0) Fail("the file has no " + what);
    if (count > 1)
      Fail("the file has " + std::to_string(count) + " languages of the " + what +
           ", where a setup carries one");
    return U32(dir + 16 + 4);
  }

  const PeLayout& Layout() const { return layout_; }
  const ImageReader& Pe() const { return pe_; }

 private:
  uint64_t Offset(uint32_t at, uint32_t length) const {
    if (at >= layout_.ResourceSize || length > layout_.ResourceSize - at)
      Fail("the resource tree leaves its table");
    return FileOffsetOf(layout_, pe_, layout_.ResourceRva + at, length);
  }
  bool NameMatches(uint32_t at, const std::string& name) const {
    if (U16(at) != name.size()) return false;
    for (uint32_t i = 0; i < name.size(); ++i) {
      uint32_t c = U16(at + 2 + 2 * i);
      if (c > 0x7F || std::toupper(int(c)) != std::toupper(uint8_t(name[i]))) return false;
    }
    return true;
  }

  const PeLayout& layout_;
  const ImageReader& pe_;
};

uint32_t Subdirectory(uint32_t target) {
  if ((target & kHighBit) == 0) Fail("the resource tree is damaged");
  return target & ~kHighBit;
}

}  // namespace

bool LooksLikePeImage(const std::vector<uint8_t>& image) {
  return image.size() >= 2 && image[0] == 'M' && image[1] == 'Z';
}

ResourcePlace LocateNamedTypeResource(const uint8_t* image, size_t imageSize,
                                      const std::string& typeName, uint32_t id) {
  ImageReader pe(image, imageSize);
  PeLayout layout = ReadPeLayout(pe);
  if (layout.ResourceRva == 0 || layout.ResourceSize == 0) Fail("the file has no resources");
  ResourceTree tree(layout, pe);
  const std::string what = "resource of type \"" + typeName + "\" with id " + std::to_string(id);
  const uint32_t ids = Subdirectory(tree.Find(0, &typeName, 0, what.c_str()));
  if (tree.Count(ids) > 1)
    Fail("the file has " + std::to_string(tree.Count(ids)) + " resources of type \"" + typeName +
         "\", where a setup carries one");
  const uint32_t languages = Subdirectory(tree.Find(ids, nullptr, id, what.c_str()));
  const uint32_t dataEntry = tree.OnlyLanguage(languages, what);
  if (dataEntry & kHighBit) Fail("the resource tree is damaged");
  const uint32_t rva = tree.U32(dataEntry), size = tree.U32(dataEntry + 4);
  return ResourcePlace{FileOffsetOf(layout, pe, rva, size), size};
}

std::vector<uint8_t> FindNamedTypeResource(const std::vector<uint8_t>& image,
                                           const std::string& typeName, uint32_t id) {
  const ResourcePlace place = LocateNamedTypeResource(image.data(), image.size(), typeName, id);
  return std::vector<uint8_t>(image.begin() + place.Offset,
                              image.begin() + place.Offset + place.Size);
}
