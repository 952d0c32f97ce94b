// Running jlha and reading its archive, for the decoder's peer tests.
#include "tests/support/lha_archive.h"

#include <cstdlib>

#include "tests/support/scratch_dir.h"

#ifdef _WIN32
bool CompressWithJlha(const std::string&, LhaEntry*) { return false; }
#else

namespace {

// A level-2 header: its full size at 0, method at 2, stored size at 7, unpacked size at 11,
// level at 20.
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

// Reads the first entry of a level-2 archive. Returns false for another level or when the stored
// bytes run past the end of the archive.
bool ReadFirstLevel2Entry(const std::string& archive, LhaEntry* entry) {
  if (archive.size() < kBaseHeaderMinimum || archive[kLevelOffset] != 2) return false;
  entry->Method = archive.substr(kMethodOffset, kMethodLength);
  const uint32_t stored = Le32(archive, kStoredSizeOffset);
  entry->UnpackedSize = Le32(archive, kUnpackedSizeOffset);
  const size_t dataStart = Le16(archive, 0);
  if (dataStart > archive.size() || archive.size() - dataStart < stored) return false;
  entry->Stream = archive.substr(dataStart, stored);
  return true;
}

}  // namespace

bool CompressWithJlha(const std::string& data, LhaEntry* entry) {
  const ScratchDir dir;
  dir.Write("data.bin", data);
  const std::string command =
      "cd '" + dir.Root() + "' && jlha co52q data.lzh data.bin >/dev/null 2>&1";
  return std::system(command.c_str()) == 0 &&
         ReadFirstLevel2Entry(ReadFileOrMissing(dir.Path("data.lzh")), entry);
}
#endif
