// libFuzzer target: arbitrary bytes walked as a payload archive with ExtractEntry into a scratch
// directory, as the install run walks the payload (offset 0 until a result of 0 or below), from an
// exact-size heap copy so that AddressSanitizer sees any read past its end. Checks that every
// result is one the extractor defines, that the walk only moves forward within the archive, that
// every file it announces lies below the destination, that the current directory stays where it
// was and that nothing is left outside the scratch directory's own tree. Inputs whose compressed entries
// would unpack to more than kMaxUnpacked bytes are skipped to keep runs fast and disks small.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>
#include <system_error>

#include <unistd.h>

#include "archive/entry_header.h"
#include "archive/extract_entry.h"
#include "archive/lzh_decoder.h"
#include "archive/payload_format.h"

namespace fs = std::filesystem;

namespace {

constexpr uint32_t kMaxUnpacked = 1 << 16;

std::string Destination;  // the walk's destination, as ExtractEntry gets it

// Aborts unless an announced file lies below the destination.
void CheckCreated(const char* path) {
  if (std::strncmp(path, Destination.c_str(), Destination.size()) != 0 ||
      path[Destination.size()] != '\\')
    std::abort();
}

// True when every compressed entry before the end or the first malformed header is small.
bool UnpacksSmall(const uint8_t* archive, uint32_t size) {
  EntryHeader entry;
  for (uint32_t offset = 0; ReadEntryHeader(archive, offset, size, &entry) == kHeaderValid;
       offset = entry.NextOffset) {
    if (entry.Method == kMethodCompressed && entry.UnpackedSize > kMaxUnpacked) return false;
  }
  return true;
}

// Walks the archive; aborts on a result the extractor does not define or a backward step.
void WalkArchive(const uint8_t* archive, uint32_t size, const std::string& destination) {
  Destination = destination;
  int result;
  for (uint32_t offset = 0;
       (result = ExtractEntry(archive, offset, size, destination.c_str(), CheckCreated)) > 0;) {
    if (uint32_t(result) <= offset || uint32_t(result) > size) std::abort();
    offset = uint32_t(result);
  }
  if (result != kExtractEnd && result != kExtractMalformedHeader &&
      result != kExtractDecodeFailed && result != kExtractStoredWriteFailed &&
      result != kExtractCannotCreateFile)
    std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > kMaxEntrySize) return 0;
  std::unique_ptr<uint8_t[]> archive(new uint8_t[size]);
  if (size != 0) std::memcpy(archive.get(), data, size);
  if (!UnpacksSmall(archive.get(), uint32_t(size))) return 0;

  // libFuzzer reads and writes its corpus by relative paths: the extractor must leave the current
  // directory alone.
  static const fs::path start = fs::current_path();
  static const fs::path root =
      fs::temp_directory_path() / ("kpx-fuzz-extract-" + std::to_string(getpid()));
  // Each input starts from the program-start state and an empty scratch directory.
  std::memset(&Lzh, 0, sizeof Lzh);
  std::memset(DecodeWindow, 0, sizeof DecodeWindow);
  std::error_code ignored;
  fs::remove_all(root, ignored);
  const fs::path destination = root / "dest";
  fs::create_directories(destination, ignored);

  WalkArchive(archive.get(), uint32_t(size), destination.string());

  // Whatever the archive said, the scratch root holds only the destination.
  if (fs::current_path(ignored) != start) std::abort();
  for (const auto& item : fs::directory_iterator(root, ignored)) {
    if (item.path() != destination) std::abort();
  }
  fs::remove_all(root, ignored);
  return 0;
}
