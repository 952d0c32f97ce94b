// lha_to_payload: turns an LHA archive (header level 2, as `jlha c...2` writes it) into a payload
// archive holding the very same stored bytes: -lh5- entries become compressed entries (method 1),
// -lh0- entries stored ones, under the LHA entry's file name. Used by bench/decode_speed so that
// the peer and kpx decode identical streams. Host only.
//   lha_to_payload ARCHIVE.lzh OUT.kpx
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "archive/payload_format.h"

namespace {

// Level 2 header: total header size at 0 (2 bytes), method at 2 (5), stored size at 7, unpacked
// size at 11, level at 20, first extended header size at 24; each extended header is a type byte,
// its data and the next one's size (2 bytes), type 1 holding the file name. Data follows the
// header. The archive ends with a 0 byte.
constexpr size_t kLevel2Minimum = 26;
constexpr size_t kLevelOffset = 20;
constexpr size_t kFirstExtendedSizeOffset = 24;
constexpr uint8_t kFileNameExtension = 0x01;

uint32_t Le16(const std::vector<uint8_t>& s, size_t at) { return s[at] | uint32_t(s[at + 1]) << 8; }
uint32_t Le32(const std::vector<uint8_t>& s, size_t at) {
  return Le16(s, at) | Le16(s, at + 2) << 16;
}

void PutLe32(std::string& out, uint32_t v) {
  for (int i = 0; i < 4; i++) out += static_cast<char>(v >> (8 * i));
}

struct LhaEntry {
  std::string Method, Name;
  uint32_t Stored = 0, Unpacked = 0;
  size_t DataStart = 0, Next = 0;
};

// Reads the level 2 header at offset at. Returns false at the end marker or on a header it
// does not understand (reported).
bool ReadEntry(const std::vector<uint8_t>& lha, size_t at, LhaEntry* e) {
  if (at >= lha.size() || lha[at] == 0) return false;
  if (lha.size() - at < kLevel2Minimum || lha[at + kLevelOffset] != 2) {
    std::fprintf(stderr, "lha_to_payload: not a level 2 header at %zu\n", at);
    return false;
  }
  const size_t headerSize = Le16(lha, at);
  e->Method.assign(lha.begin() + at + 2, lha.begin() + at + 7);
  e->Stored = Le32(lha, at + 7);
  e->Unpacked = Le32(lha, at + 11);
  e->DataStart = at + headerSize;
  e->Next = e->DataStart + e->Stored;
  for (size_t x = at + kFirstExtendedSizeOffset; x + 2 <= at + headerSize;) {
    const size_t size = Le16(lha, x);
    if (size < 3 || x + 2 + size > at + headerSize) break;
    if (lha[x + 2] == kFileNameExtension)
      e->Name.assign(lha.begin() + x + 3, lha.begin() + x + 2 + size - 2);
    x += size;
  }
  if (e->Next > lha.size() || e->Name.empty()) {
    std::fprintf(stderr, "lha_to_payload: bad entry at %zu\n", at);
    return false;
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: lha_to_payload ARCHIVE.lzh OUT.kpx\n");
    return 2;
  }
  std::ifstream in(argv[1], std::ios::binary);
  const std::vector<uint8_t> lha((std::istreambuf_iterator<char>(in)),
                                 std::istreambuf_iterator<char>());
  std::string out;
  size_t at = 0, entries = 0;
  LhaEntry e;
  while (ReadEntry(lha, at, &e)) {
    if (e.Method != "-lh5-" && e.Method != "-lh0-") {
      std::fprintf(stderr, "lha_to_payload: %s: method %s\n", e.Name.c_str(), e.Method.c_str());
      return 1;
    }
    out.append(reinterpret_cast<const char*>(kEntryMagic), 4);
    PutLe32(out, kFixedHeaderSize + static_cast<uint32_t>(e.Name.size()) + 1);
    PutLe32(out, e.Method == "-lh5-" ? kMethodCompressed : kMethodStored);
    PutLe32(out, e.Stored);
    PutLe32(out, e.Unpacked);
    out += e.Name;
    out += '\0';
    out.append(reinterpret_cast<const char*>(lha.data() + e.DataStart), e.Stored);
    at = e.Next;
    entries++;
  }
  if (at >= lha.size() || lha[at] != 0) return 1;
  std::ofstream(argv[2], std::ios::binary) << out;
  std::printf("%zu entries, %zu bytes\n", entries, out.size());
  return 0;
}
