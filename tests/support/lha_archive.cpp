// Reading LHA archive headers and running jlha, for the decoder's peer tests.
#include "tests/support/lha_archive.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

#ifndef _WIN32
#include <unistd.h>
#endif

namespace {

// Common header fields (all levels): method at 2, stored size at 7, unpacked size at 11, level at
// 20. Level 0 and 1 headers start with their size less 2; level 2 with its full size.
constexpr size_t kMethodOffset = 2;
constexpr size_t kMethodLength = 5;
constexpr size_t kStoredSizeOffset = 7;
constexpr size_t kUnpackedSizeOffset = 11;
constexpr size_t kLevelOffset = 20;
constexpr size_t kBaseHeaderMinimum = 24;

uint32_t Le16(const std::string& s, size_t at) {
  return uint8_t(s[at]) | uint32_t(uint8_t(s[at + 1])) << 8;
}

uint32_t Le32(const std::string& s, size_t at) { return Le16(s, at) | Le16(s, at + 2) << 16; }

}  // namespace

bool ReadFirstLhaEntry(const std::string& archive, LhaEntry* entry) {
  if (archive.size() < kBaseHeaderMinimum) return false;
  entry->Method = archive.substr(kMethodOffset, kMethodLength);
  uint32_t stored = Le32(archive, kStoredSizeOffset);
  entry->UnpackedSize = Le32(archive, kUnpackedSizeOffset);
  const int level = uint8_t(archive[kLevelOffset]);
  size_t dataStart;
  if (level == 2) {
    dataStart = Le16(archive, 0);
  } else if (level == 0 || level == 1) {
    dataStart = uint8_t(archive[0]) + 2u;
    if (level == 1) {
      // Extended headers follow the base header; their sizes count in the stored size.
      for (uint32_t next = Le16(archive, dataStart - 2); next != 0;) {
        if (dataStart + next > archive.size() || next > stored) return false;
        dataStart += next;
        stored -= next;
        next = Le16(archive, dataStart - 2);
      }
    }
  } else {
    return false;
  }
  if (dataStart > archive.size() || archive.size() - dataStart < stored) return false;
  entry->Stream = archive.substr(dataStart, stored);
  return true;
}

bool CompressWithJlha(const std::string& data, LhaEntry* entry) {
#ifdef _WIN32
  (void)data;
  (void)entry;
  return false;
#else
  char dir[] = "/tmp/kpx_jlha_XXXXXX";
  if (mkdtemp(dir) == nullptr) return false;
  const std::string root = dir;
  { std::ofstream(root + "/data.bin", std::ios::binary) << data; }
  const std::string command = "cd '" + root + "' && jlha co52q data.lzh data.bin >/dev/null 2>&1";
  bool ok = std::system(command.c_str()) == 0;
  std::ostringstream archive;
  if (ok) {
    std::ifstream in(root + "/data.lzh", std::ios::binary);
    ok = in.is_open();
    if (ok) archive << in.rdbuf();
  }
  ok = ok && ReadFirstLhaEntry(archive.str(), entry);
  (void)std::remove((root + "/data.lzh").c_str());  // best effort
  (void)std::remove((root + "/data.bin").c_str());
  (void)rmdir(dir);
  return ok;
#endif
}
