// Reading and writing a resource section. All numbers are little-endian.
//
// Format notes
// ------------
//   directory table   16 bytes (characteristics, time stamp, version: written as zeros; the
//                     count of named entries at +12 and of numbered ones at +14), then 8-byte
//                     entries: the key (high bit: offset of a counted UTF-16 name; otherwise
//                     the number), then the target (high bit: offset of the next directory table;
//                     otherwise the offset of a data entry)
//   data entry        16 bytes: the data's address (an RVA, not an offset), its size, its code
//                     page, zero
// Offsets are from the start of the section. The tree has three levels: type, name, language.
#include "packer/pe_image/resource_section.h"

#include <algorithm>
#include <map>

#include "packer/kpx_error.h"

namespace {

constexpr uint32_t kHighBit = 0x80000000u;
constexpr uint32_t kDirectorySize = 16;
constexpr uint32_t kEntrySize = 8;
constexpr uint32_t kDataEntrySize = 16;
constexpr uint32_t kDataAlignment = 8;

[[noreturn]] void Fail(const std::string& what) { throw KpxError("resources: " + what); }

class SectionReader {
 public:
  SectionReader(const PeSection& section) : section_(section) {}
  uint32_t U16(uint64_t at) const {
    Need(at, 2);
    return section_.Data[at] | section_.Data[at + 1] << 8;
  }
  uint32_t U32(uint64_t at) const { return U16(at) | U16(at + 2) << 16; }
  void Need(uint64_t at, uint64_t length) const {
    if (at > section_.Data.size() || length > section_.Data.size() - at)
      Fail("the tree leaves its section");
  }
  const PeSection& Section() const { return section_; }

 private:
  const PeSection& section_;
};

ResourceKey ReadKey(const SectionReader& in, uint32_t key) {
  ResourceKey out;
  if ((key & kHighBit) == 0) {
    out.Id = key;
    return out;
  }
  const uint32_t at = key & ~kHighBit, length = in.U16(at);
  for (uint32_t i = 0; i < length; ++i) out.Text += char16_t(in.U16(at + 2 + 2 * i));
  if (out.Text.empty()) Fail("an empty name");
  return out;
}

// Appends the resources below the directory table at dir (level 0: types) to out.
void ReadDirectory(const SectionReader& in, uint32_t dir, int level, Resource path,
                   std::vector<Resource>& out) {
  const uint32_t entries = in.U16(dir + 12) + in.U16(dir + 14);
  for (uint32_t i = 0; i < entries; ++i) {
    const uint32_t entry = dir + kDirectorySize + kEntrySize * i;
    const uint32_t key = in.U32(entry), target = in.U32(entry + 4);
    if (level == 0) path.Type = ReadKey(in, key);
    if (level == 1) path.Name = ReadKey(in, key);
    if (level == 2) path.Language = key;
    if ((target & kHighBit) != 0) {
      if (level == 2 || (target & ~kHighBit) <= dir) Fail("the tree is damaged");
      ReadDirectory(in, target & ~kHighBit, level + 1, path, out);
      continue;
    }
    if (level != 2) Fail("the tree is damaged");
    const uint32_t rva = in.U32(target), size = in.U32(target + 4);
    path.CodePage = in.U32(target + 8);
    const uint64_t at = uint64_t(rva) - in.Section().VirtualAddress;
    if (rva < in.Section().VirtualAddress) Fail("data outside the resource section");
    in.Need(at, size);
    path.Data.assign(in.Section().Data.begin() + at, in.Section().Data.begin() + at + size);
    out.push_back(path);
  }
}

bool KeyLess(const ResourceKey& a, const ResourceKey& b) {
  if (a.Text.empty() != b.Text.empty()) return !a.Text.empty();  // names before numbers
  return a.Text.empty() ? a.Id < b.Id : a.Text < b.Text;
}

void Put16(std::vector<uint8_t>& b, size_t at, uint32_t v) {
  b[at] = uint8_t(v);
  b[at + 1] = uint8_t(v >> 8);
}
void Put32(std::vector<uint8_t>& b, size_t at, uint32_t v) {
  Put16(b, at, v & 0xFFFF);
  Put16(b, at + 2, v >> 16);
}

}  // namespace

ResourceKey NamedKey(const std::string& text) {
  ResourceKey key;
  key.Text.assign(text.begin(), text.end());
  return key;
}

std::vector<Resource> ReadResources(const PeImage& image) {
  for (const PeSection& section : image.Sections) {
    if (section.Name != ".rsrc") continue;
    std::vector<Resource> out;
    ReadDirectory(SectionReader(section), 0, 0, Resource(), out);
    return out;
  }
  Fail("the program has no resource section");
}

std::vector<uint8_t> WriteResources(const std::vector<Resource>& resources, uint32_t rva) {
  std::vector<const Resource*> sorted;
  for (const Resource& r : resources) sorted.push_back(&r);
  std::stable_sort(sorted.begin(), sorted.end(), [](const Resource* a, const Resource* b) {
    if (!(a->Type == b->Type)) return KeyLess(a->Type, b->Type);
    if (!(a->Name == b->Name)) return KeyLess(a->Name, b->Name);
    return a->Language < b->Language;
  });
  // The three levels as runs of the sorted list: types, then names within a type.
  struct Table {
    std::vector<std::pair<ResourceKey, size_t>> Entries;  // key, child table or resource index
    bool Leaf = false;
  };
  std::vector<Table> tables(1);
  for (size_t i = 0; i < sorted.size(); ++i) {
    // tables grows below: entries are reached through indexes, never held across a push_back.
    const Resource& r = *sorted[i];
    if (tables[0].Entries.empty() || !(tables[0].Entries.back().first == r.Type)) {
      tables[0].Entries.push_back({r.Type, tables.size()});
      tables.push_back({});
    }
    const size_t types = tables[0].Entries.back().second;
    if (tables[types].Entries.empty() || !(tables[types].Entries.back().first == r.Name)) {
      tables[types].Entries.push_back({r.Name, tables.size()});
      tables.push_back({{}, true});
    }
    Table& languages = tables[tables[types].Entries.back().second];
    ResourceKey language;
    language.Id = r.Language;
    if (!languages.Entries.empty() && languages.Entries.back().first == language)
      throw KpxError("resources: two resources with the same type, name and language");
    languages.Entries.push_back({language, i});
  }
  // Tables in creation order are breadth-first enough: every child follows its parent.
  std::vector<uint32_t> tableOffset;
  uint32_t size = 0;
  for (const Table& t : tables) {
    tableOffset.push_back(size);
    size += kDirectorySize + kEntrySize * uint32_t(t.Entries.size());
  }
  const uint32_t dataEntries = size;
  size += kDataEntrySize * uint32_t(sorted.size());
  std::map<std::u16string, uint32_t> nameOffset;
  for (const Table& t : tables)
    for (const auto& [key, child] : t.Entries)
      if (!key.Text.empty() && nameOffset.emplace(key.Text, size).second)
        size += 2 + 2 * uint32_t(key.Text.size());
  std::vector<uint32_t> dataOffset;
  for (const Resource* r : sorted) {
    size = (size + kDataAlignment - 1) / kDataAlignment * kDataAlignment;
    dataOffset.push_back(size);
    size += uint32_t(r->Data.size());
  }

  std::vector<uint8_t> out(size, 0);
  for (size_t t = 0; t < tables.size(); ++t) {
    const Table& table = tables[t];
    uint32_t named = 0;
    for (const auto& entry : table.Entries) named += !entry.first.Text.empty();
    Put16(out, tableOffset[t] + 12, named);
    Put16(out, tableOffset[t] + 14, uint32_t(table.Entries.size()) - named);
    for (size_t e = 0; e < table.Entries.size(); ++e) {
      const auto& [key, child] = table.Entries[e];
      const size_t at = tableOffset[t] + kDirectorySize + kEntrySize * e;
      Put32(out, at, key.Text.empty() ? key.Id : kHighBit | nameOffset[key.Text]);
      Put32(out, at + 4,
            table.Leaf ? dataEntries + kDataEntrySize * uint32_t(child)
                       : kHighBit | tableOffset[child]);
    }
  }
  for (const auto& [text, at] : nameOffset) {
    Put16(out, at, uint32_t(text.size()));
    for (size_t i = 0; i < text.size(); ++i) Put16(out, at + 2 + 2 * i, text[i]);
  }
  for (size_t i = 0; i < sorted.size(); ++i) {
    const size_t entry = dataEntries + kDataEntrySize * i;
    Put32(out, entry, rva + dataOffset[i]);
    Put32(out, entry + 4, uint32_t(sorted[i]->Data.size()));
    Put32(out, entry + 8, sorted[i]->CodePage);
    std::copy(sorted[i]->Data.begin(), sorted[i]->Data.end(), out.begin() + dataOffset[i]);
  }
  return out;
}
