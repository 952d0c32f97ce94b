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

// A resource type or name: a number or a text.
struct ResourceId {
  ULONG_PTR Number = 0;
  std::string Text;
  explicit ResourceId(LPCSTR id) {
    if (IS_INTRESOURCE(id))
      Number = reinterpret_cast<ULONG_PTR>(id);
    else
      Text = id;
  }
  LPCSTR Get() const { return Text.empty() ? MAKEINTRESOURCEA(Number) : Text.c_str(); }
  bool Is(LPCSTR id) const {
    return IS_INTRESOURCE(id) ? Text.empty() && Number == ULONG_PTR(id) : Text == id;
  }
};

struct ResourceEntry {
  ResourceId Type, Name;
  WORD Language;
};

BOOL CALLBACK AddLanguage(HMODULE, LPCSTR type, LPCSTR name, WORD language, LONG_PTR list) {
  reinterpret_cast<std::vector<ResourceEntry>*>(list)->push_back(
      {ResourceId(type), ResourceId(name), language});
  return TRUE;
}

BOOL CALLBACK AddName(HMODULE module, LPCSTR type, LPSTR name, LONG_PTR list) {
  EnumResourceLanguagesA(module, type, name, AddLanguage, list);
  return TRUE;
}

BOOL CALLBACK AddType(HMODULE module, LPSTR type, LONG_PTR list) {
  EnumResourceNamesA(module, type, AddName, list);
  return TRUE;
}

// Copies the program in to out with its resources written anew: every one of in's, except that
// (type, id) is left out when bytes is null and takes bytes otherwise. The copy starts with no
// resources at all (rather than deleting or replacing one), since Wine's resource writer reads
// the existing ones only when it writes and so would bring a deleted one back.
bool CopyWithResource(const char* in, const char* out, LPCSTR type, int id,
                      const std::vector<BYTE>* bytes) {
  HMODULE module = LoadLibraryExA(in, nullptr, LOAD_LIBRARY_AS_DATAFILE);
  if (module == nullptr) return false;
  std::vector<ResourceEntry> entries;
  EnumResourceTypesA(module, AddType, reinterpret_cast<LONG_PTR>(&entries));
  HANDLE update = CopyFileA(in, out, FALSE) ? BeginUpdateResourceA(out, TRUE) : nullptr;
  bool written = update != nullptr;
  for (const ResourceEntry& e : entries) {
    if (!written) break;
    const bool chosen = e.Type.Is(type) && e.Name.Is(MAKEINTRESOURCEA(id));
    if (chosen && bytes == nullptr) continue;
    HRSRC found = FindResourceExA(module, e.Type.Get(), e.Name.Get(), e.Language);
    const void* data = chosen ? bytes->data() : LockResource(LoadResource(module, found));
    DWORD size = chosen ? DWORD(bytes->size()) : SizeofResource(module, found);
    written = found != nullptr && UpdateResourceA(update, e.Type.Get(), e.Name.Get(), e.Language,
                                                  const_cast<void*>(data), size);
  }
  FreeLibrary(module);
  return update != nullptr && EndUpdateResourceA(update, !written) && written;
}

// The bytes of resource (type, id) of the program file at path, empty when it has none.
std::vector<BYTE> ReadResource(const char* path, LPCSTR type, int id) {
  std::vector<BYTE> bytes;
  HMODULE module = LoadLibraryExA(path, nullptr, LOAD_LIBRARY_AS_DATAFILE);
  if (module == nullptr) return bytes;
  HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(id), type);
  if (found != nullptr) {
    const BYTE* data = static_cast<const BYTE*>(LockResource(LoadResource(module, found)));
    bytes.assign(data, data + SizeofResource(module, found));
  }
  FreeLibrary(module);
  return bytes;
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

int DamagePayload(const char* in, const char* out) {
  std::vector<BYTE> payload = ReadResource(in, KPX_PAYLOAD_RESOURCE_TYPE, IDR_PAYLOAD);
  std::string name = payload.empty() ? "" : DamageEntry(payload);
  if (name.empty() || !CopyWithResource(in, out, KPX_PAYLOAD_RESOURCE_TYPE, IDR_PAYLOAD, &payload))
    return 1;
  std::printf("damaged=%s\n", name.c_str());
  return 0;
}

int DropDialog(const char* in, const char* out) {
  if (ReadResource(in, RT_DIALOG, IDD_INSTALL).empty()) return 1;
  return CopyWithResource(in, out, RT_DIALOG, IDD_INSTALL, nullptr) ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) return 2;
  std::string command = argv[1];
  if (command == "drop-dialog") return DropDialog(argv[2], argv[3]);
  if (command == "damage-payload") return DamagePayload(argv[2], argv[3]);
  return 2;
}
