// STAND-IN extractor for stored entries, replaced by the real extractor: enough for the install
// run's tests. Compressed entries fail after their file was created.
#include "archive/extract_entry.h"

#include <cstdio>
#include <cstring>

#include "archive/payload_format.h"
#include "setup/setup_state.h"
#ifdef _WIN32
#include <direct.h>
static void MakeDir(const char* path) { _mkdir(path); }
#else
#include <sys/stat.h>
static void MakeDir(const char* path) { mkdir(path, 0755); }
#endif

int ExtractEntry(const uint8_t* archive, uint32_t offset, uint32_t size, const char* destination) {
  if (offset + kFixedHeaderSize >= size) return kExtractEnd;
  const uint8_t* header = archive + offset;
  if (memcmp(header, kEntryMagic, 4) != 0) return kExtractMalformed;
  uint32_t headerSize = ReadLe32(header + kHeaderSizeOffset);
  uint32_t method = ReadLe32(header + kMethodOffset);
  uint32_t stored = ReadLe32(header + kStoredSizeOffset);
  if (headerSize <= kFixedHeaderSize || offset + headerSize >= size) return kExtractMalformed;
  if (uint64_t(offset) + headerSize + stored > size) return kExtractMalformed;
  char path[kPathSize];
  snprintf(path, sizeof path, "%s", destination);
  size_t base = strlen(path);
  if (base == 0 || path[base - 1] != '\\') path[base++] = '\\';
  if (base + (headerSize - kFixedHeaderSize) + 1 >= 256) return kExtractMalformed;
  memcpy(path + base, header + kNameOffset, headerSize - kFixedHeaderSize);
  path[base + headerSize - kFixedHeaderSize] = '\0';
  for (char* p = path + base; *p; ++p) {
    if (*p == '\\') { *p = '\0'; MakeDir(path); *p = '\\'; }
  }
  FILE* file = fopen(path, "wb");
  if (file == nullptr) return kExtractCannotCreate;
  snprintf(Setup.CurrentFile, kPathSize, "%s", path);
  ++Setup.FilesDone;
  if (method == kMethodCompressed) { fclose(file); remove(path); return kExtractDecodeFailed; }
  fwrite(header + headerSize, 1, stored, file);
  fclose(file);
  return int(offset + headerSize + stored);
}
