// Damaged copies of a built setup program for the Wine suites (tests/e2e/damaged.bash), made
// through the platform's own resource writer. One command per run:
//   damage_setup drop-dialog IN OUT      copies IN to OUT without its install dialog template
//   damage_setup damage-payload IN OUT   copies IN to OUT with one compressed entry of its payload
//                                        made undecodable; prints damaged=NAME, the entry's name
// Exit 0 when OUT was written, 1 when it could not be, 2 on a usage error. Win32.
#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "archive/payload_format.h"
#include "resources/resource.h"

namespace {

// A resource type or name as the enumeration gives it: a number, or a text kept here.
struct ResourceId {
  ULONG_PTR Number;
  std::string Text;
  LPCSTR Get() const { return Text.empty() ? MAKEINTRESOURCEA(Number) : Text.c_str(); }
  bool operator==(const ResourceId& other) const {
    return Number == other.Number && Text == other.Text;
  }
};

ResourceId Id(LPCSTR id) {
  return IS_INTRESOURCE(id) ? ResourceId{reinterpret_cast<ULONG_PTR>(id), ""} : ResourceId{0, id};
}

struct ResourceEntry {
  ResourceId Type, Name;
  WORD Language;
};

BOOL CALLBACK AddLanguage(HMODULE, LPCSTR type, LPCSTR name, WORD language, LONG_PTR list) {
  reinterpret_cast<std::vector<ResourceEntry>*>(list)->push_back({Id(type), Id(name), language});
  return TRUE;
}

BOOL CALLBACK AddName(HMODULE module, LPCSTR type, LPSTR name, LONG_PTR list) {
  return EnumResourceLanguagesA(module, type, name, AddLanguage, list) || TRUE;
}

BOOL CALLBACK AddType(HMODULE module, LPSTR type, LONG_PTR list) {
  return EnumResourceNamesA(module, type, AddName, list) || TRUE;
}

// Copies the program in to out with its resources written anew: each of in's, except resource
// (type, id), whose bytes edit changes (false: it is left out). Returns false when there is no
// such resource or the copy could not be written. The copy starts with no resources at all,
// rather than deleting one: Wine's writer reads the old ones only as it writes, and would bring
// a deleted one back.
template <typename Edit>
bool CopyWithResource(const char* in, const char* out, LPCSTR type, int id, Edit edit) {
  HMODULE module = LoadLibraryExA(in, nullptr, LOAD_LIBRARY_AS_DATAFILE);
  if (module == nullptr) return false;
  std::vector<ResourceEntry> entries;
  EnumResourceTypesA(module, AddType, reinterpret_cast<LONG_PTR>(&entries));
  HANDLE update = CopyFileA(in, out, FALSE) ? BeginUpdateResourceA(out, TRUE) : nullptr;
  bool written = update != nullptr, edited = false;
  for (const ResourceEntry& e : entries) {
    HRSRC found = FindResourceExA(module, e.Type.Get(), e.Name.Get(), e.Language);
    const BYTE* data = static_cast<const BYTE*>(LockResource(LoadResource(module, found)));
    std::vector<BYTE> bytes(data, data + SizeofResource(module, found));
    if (e.Type == Id(type) && e.Name == Id(MAKEINTRESOURCEA(id))) {
      edited = true;
      if (!edit(bytes)) continue;
    }
    written = written && UpdateResourceA(update, e.Type.Get(), e.Name.Get(), e.Language,
                                         bytes.data(), DWORD(bytes.size()));
  }
  FreeLibrary(module);
  return update != nullptr && EndUpdateResourceA(update, !(written && edited)) && written && edited;
}

uint32_t Le32(const std::vector<BYTE>& bytes, size_t at) { return ReadLe32(&bytes[at]); }

// Damages the first compressed entry in the second half of the archive: its stream now opens a
// block whose code-length code has three lengths, all zero, which no decoder can build a table
// from. Returns the entry's name, or "" when there is none.
std::string DamageEntry(std::vector<BYTE>& payload) {
  std::vector<size_t> entries;
  for (size_t at = 0; at + kFixedHeaderSize < payload.size();
       at += Le32(payload, at + kHeaderSizeOffset) + Le32(payload, at + kStoredSizeOffset))
    entries.push_back(at);
  for (size_t i = entries.size() / 2; i < entries.size(); ++i) {
    size_t at = entries[i], header = Le32(payload, at + kHeaderSizeOffset);
    size_t stored = Le32(payload, at + kStoredSizeOffset);
    if (Le32(payload, at + kMethodOffset) != kMethodCompressed || stored < 4) continue;
    static const BYTE kBadStart[] = {0x00, 0x01, 0x18, 0x00};  // 1 block; 3 lengths of 0
    for (size_t k = 0; k < stored; ++k) payload[at + header + k] = k < 4 ? kBadStart[k] : 0;
    return reinterpret_cast<const char*>(&payload[at + kNameOffset]);
  }
  return "";
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) return 2;
  std::string command = argv[1], damaged;
  if (command == "drop-dialog")
    return CopyWithResource(argv[2], argv[3], RT_DIALOG, IDD_INSTALL,
                            [](std::vector<BYTE>&) { return false; })
               ? 0
               : 1;
  if (command != "damage-payload") return 2;
  auto damage = [&](std::vector<BYTE>& payload) {
    return !(damaged = DamageEntry(payload)).empty();
  };
  if (!CopyWithResource(argv[2], argv[3], KPX_PAYLOAD_RESOURCE_TYPE, IDR_PAYLOAD, damage) ||
      damaged.empty())
    return 1;
  std::printf("damaged=%s\n", damaged.c_str());
  return 0;
}
