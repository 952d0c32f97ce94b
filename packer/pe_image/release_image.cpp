// Writing a product into a copy of the program stub. Host only.
//
// The stub's last sections are its resources and its base relocations (the linker puts them
// there). A release keeps every section before them as it is, then appends the record's texts,
// the rewritten resources and the relocations, unchanged: their entries name places in the kept
// sections, and each pointer of the record already has one, made for the placeholder it pointed
// at; the loader adds its displacement to whatever address the field holds.
#include "packer/pe_image/release_image.h"

#include <algorithm>
#include <map>
#include <set>

#include "archive/payload_format.h"
#include "packer/kpx_error.h"
#include "packer/pe_image/pe_image.h"
#include "packer/pe_image/resource_section.h"
#include "resources/resource.h"
#include "setup/package_info.h"

namespace {

constexpr uint32_t kIcoDirectorySize = 6;
constexpr uint32_t kIcoEntrySize = 16;
constexpr uint32_t kGroupEntrySize = 14;
constexpr uint32_t kRelocationHighLow = 3;  // a 32-bit address
constexpr uint32_t kRelocationDir64 = 10;   // a 64-bit address

[[noreturn]] void Fail(const std::string& what) { throw KpxError("the program stub: " + what); }

uint32_t AlignUp(uint32_t value, uint32_t alignment) {
  return (value + alignment - 1) / alignment * alignment;
}

void PutLittleEndian(std::vector<uint8_t>& bytes, size_t at, uint64_t value, int width) {
  for (int i = 0; i < width; ++i) bytes[at + i] = uint8_t(value >> (8 * i));
}

// Where the record lies: its section and its offset in that section's data.
struct RecordPlace {
  size_t Section = 0;
  size_t Offset = 0;
};

// Finds the one record whose UninstallArgument holds the marker.
RecordPlace FindRecord(const PeImage& image, const PackageRecordLayout& layout) {
  const std::string marker(KPX_PACKAGE_RECORD_MARKER, kUninstallArgumentSize);
  std::vector<RecordPlace> found;
  for (size_t s = 0; s < image.Sections.size(); ++s) {
    const std::vector<uint8_t>& data = image.Sections[s].Data;
    auto at = data.begin();
    while ((at = std::search(at, data.end(), marker.begin(), marker.end())) != data.end()) {
      const size_t offset = size_t(at - data.begin());
      if (offset >= layout.UninstallArgument &&
          offset - layout.UninstallArgument + layout.Size <= data.size())
        found.push_back({s, offset - layout.UninstallArgument});
      ++at;
    }
  }
  if (found.size() != 1)
    Fail(found.empty() ? "it has no package record: is it the setup program built as a stub?"
                       : "it has more than one package record");
  return found[0];
}

// The addresses that the base relocations adjust, of the kind that fits a pointer.
std::set<uint32_t> RelocatedPointers(const PeImage& image) {
  std::set<uint32_t> out;
  const uint32_t kind = image.Is64 ? kRelocationDir64 : kRelocationHighLow;
  for (const PeSection& section : image.Sections) {
    if (section.Name != ".reloc") continue;
    const std::vector<uint8_t>& d = section.Data;
    auto u32 = [&](size_t at) {
      return uint32_t(d[at] | d[at + 1] << 8 | d[at + 2] << 16 | uint32_t(d[at + 3]) << 24);
    };
    for (size_t block = 0; block + 8 <= std::min<size_t>(d.size(), section.VirtualSize);) {
      const uint32_t page = u32(block), size = u32(block + 4);
      if (size < 8 || block + size > d.size()) break;
      for (size_t at = block + 8; at + 2 <= block + size; at += 2) {
        const uint32_t entry = d[at] | d[at + 1] << 8;
        if (entry >> 12 == kind) out.insert(page + (entry & 0xFFF));
      }
      block += size;
    }
  }
  return out;
}

// Writes the record's numbers and pointers, its texts appended to texts at textsRva.
void FillRecord(PeImage& image, const RecordPlace& place, const PackageRecordLayout& layout,
                const ReleaseRecord& r, uint32_t textsRva, std::vector<uint8_t>& texts) {
  PeSection& section = image.Sections[place.Section];
  std::vector<uint8_t>& d = section.Data;
  const size_t base = place.Offset;
  const bool relocatable = std::any_of(image.Sections.begin(), image.Sections.end(),
                                       [](const PeSection& s) { return s.Name == ".reloc"; });
  const std::set<uint32_t> relocated = RelocatedPointers(image);
  std::map<std::string, uint32_t> placed;  // equal texts are stored once
  auto text = [&](uint32_t field, const std::string& value) {
    const uint32_t rva = section.VirtualAddress + uint32_t(base) + field;
    if (relocatable && relocated.count(rva) == 0)
      Fail("a text of its package record has no relocation entry");
    auto [it, fresh] = placed.emplace(value, uint32_t(texts.size()));
    if (fresh) {
      texts.insert(texts.end(), value.begin(), value.end());
      texts.push_back(0);
    }
    PutLittleEndian(d, base + field, image.ImageBase + textsRva + it->second, image.Is64 ? 8 : 4);
  };
  auto number = [&](uint32_t field, int value) {
    PutLittleEndian(d, base + field, uint32_t(value), 4);
  };
  number(layout.CreateDesktopShortcut, r.CreateDesktopShortcut);
  number(layout.FileCount, r.FileCount);
  text(layout.Title, r.Title);
  text(layout.ProductName, r.ProductName);
  text(layout.DefaultFolderName, r.DefaultFolderName);
  text(layout.ProgramBaseName, r.ProgramBaseName);
  number(layout.CreateUninstall, r.CreateUninstall);
  if (r.UninstallArgument.size() >= size_t(kUninstallArgumentSize))
    throw KpxError("uninstall_argument: too long for the program's record");
  std::fill_n(d.begin() + base + layout.UninstallArgument, kUninstallArgumentSize, 0);
  std::copy(r.UninstallArgument.begin(), r.UninstallArgument.end(),
            d.begin() + base + layout.UninstallArgument);
  number(layout.UninstallIconIndex, r.UninstallIconIndex);
  number(layout.CreateHelpShortcut, r.CreateHelpShortcut);
  text(layout.HelpFileName, r.HelpFileName);
  text(layout.HelpShortcutName, r.HelpShortcutName);
  text(layout.DefaultBaseDirectory, r.DefaultBaseDirectory);
}

bool IsGroup(const Resource& r, uint32_t type, uint32_t id) {
  return r.Type.Text.empty() && r.Type.Id == type && r.Name.Text.empty() && r.Name.Id == id;
}

// Replaces the program icon group's images with those of the .ico file ico.
void ReplaceIcon(std::vector<Resource>& resources, const std::vector<uint8_t>& ico) {
  auto group = std::find_if(resources.begin(), resources.end(), [](const Resource& r) {
    return IsGroup(r, kGroupIconResource, IDI_SETUP);
  });
  if (group == resources.end()) Fail("it has no program icon");
  const uint32_t language = group->Language;
  std::set<uint32_t> old;
  for (size_t at = 6; at + kGroupEntrySize <= group->Data.size(); at += kGroupEntrySize)
    old.insert(group->Data[at + 12] | group->Data[at + 13] << 8);
  resources.erase(std::remove_if(resources.begin(), resources.end(),
                                 [&](const Resource& r) {
                                   return IsGroup(r, kGroupIconResource, IDI_SETUP) ||
                                          (r.Type.Text.empty() && r.Type.Id == kIconResource &&
                                           old.count(r.Name.Id) != 0);
                                 }),
                  resources.end());
  uint32_t nextId = 1;
  for (const Resource& r : resources)
    if (r.Type.Text.empty() && r.Type.Id == kIconResource) nextId = std::max(nextId, r.Name.Id + 1);
  const uint32_t count = ico[4] | ico[5] << 8;
  Resource directory;
  directory.Type.Id = kGroupIconResource;
  directory.Name.Id = IDI_SETUP;
  directory.Language = language;
  directory.Data.assign(ico.begin(), ico.begin() + kIcoDirectorySize);
  for (uint32_t i = 0; i < count; ++i) {
    const size_t entry = kIcoDirectorySize + kIcoEntrySize * i;
    const uint32_t size = ico[entry + 8] | ico[entry + 9] << 8 | ico[entry + 10] << 16 |
                          uint32_t(ico[entry + 11]) << 24;
    const uint32_t offset = ico[entry + 12] | ico[entry + 13] << 8 | ico[entry + 14] << 16 |
                            uint32_t(ico[entry + 15]) << 24;
    Resource image;
    image.Type.Id = kIconResource;
    image.Name.Id = nextId + i;
    image.Language = language;
    image.Data.assign(ico.begin() + offset, ico.begin() + offset + size);
    resources.push_back(image);
    // The group's entry: the file's first 12 bytes, then the image's resource id.
    directory.Data.insert(directory.Data.end(), ico.begin() + entry, ico.begin() + entry + 12);
    directory.Data.push_back(uint8_t(image.Name.Id));
    directory.Data.push_back(uint8_t(image.Name.Id >> 8));
  }
  resources.push_back(directory);
}

void ReplacePayload(std::vector<Resource>& resources, const std::vector<uint8_t>& payload) {
  const ResourceKey type = NamedKey(KPX_PAYLOAD_RESOURCE_TYPE);
  int found = 0;
  for (Resource& r : resources) {
    if (!(r.Type == type) || !r.Name.Text.empty() || r.Name.Id != kPayloadResourceId) continue;
    r.Data = payload;
    ++found;
  }
  if (found != 1)
    Fail(found == 0 ? "it has no payload resource" : "it has more than one payload resource");
}

}  // namespace

std::vector<uint8_t> MakeReleaseImage(const std::vector<uint8_t>& stub, const ReleaseRecord& record,
                                      const std::vector<uint8_t>& icon,
                                      const std::vector<uint8_t>& payload) {
  PeImage image;
  std::vector<Resource> resources;
  try {
    image = ReadPeImage(stub);
    resources = ReadResources(image);
  } catch (const KpxError& e) {
    Fail(e.what());
  }
  // The kept sections end where the resources and relocations begin.
  size_t kept = image.Sections.size();
  while (kept > 0 &&
         (image.Sections[kept - 1].Name == ".rsrc" || image.Sections[kept - 1].Name == ".reloc"))
    --kept;
  for (size_t s = 0; s < kept; ++s) {
    if (image.Sections[s].Name == kRecordTextSection) Fail("it is a release already, not a stub");
    if (image.Sections[s].Name == ".rsrc" || image.Sections[s].Name == ".reloc")
      Fail("its resources or relocations are not its last sections");
  }
  PeSection relocations, rsrc;
  for (size_t s = kept; s < image.Sections.size(); ++s)
    (image.Sections[s].Name == ".reloc" ? relocations : rsrc) = image.Sections[s];

  const PackageRecordLayout layout = PackageRecordLayoutFor(image.Is64 ? 8 : 4);
  const RecordPlace place = FindRecord(image, layout);
  if (place.Section >= kept) Fail("its package record is not in a data section");
  const PeSection& last = image.Sections[kept - 1];
  PeSection texts;
  texts.Name = kRecordTextSection;
  texts.Characteristics = kSectionInitializedData | kSectionReadable;
  texts.VirtualAddress = AlignUp(last.VirtualAddress + last.VirtualSize, image.SectionAlignment);
  FillRecord(image, place, layout, record, texts.VirtualAddress, texts.Data);
  texts.VirtualSize = uint32_t(texts.Data.size());

  if (!icon.empty()) ReplaceIcon(resources, icon);
  ReplacePayload(resources, payload);
  rsrc.VirtualAddress = AlignUp(texts.VirtualAddress + texts.VirtualSize, image.SectionAlignment);
  rsrc.Data = WriteResources(resources, rsrc.VirtualAddress);
  rsrc.VirtualSize = uint32_t(rsrc.Data.size());

  image.Sections.resize(kept);
  image.Sections.push_back(texts);
  image.Sections.push_back(rsrc);
  if (!relocations.Name.empty()) {
    relocations.VirtualAddress =
        AlignUp(rsrc.VirtualAddress + rsrc.VirtualSize, image.SectionAlignment);
    image.Sections.push_back(relocations);
  }
  return WritePeImage(image);
}
