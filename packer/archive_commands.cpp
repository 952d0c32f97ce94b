// list, extract and check: the host tool's view of a payload archive, read exactly as the setup
// program reads it (the same header checks, the same extractor and decoder).
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>
#include <stdexcept>
#include <system_error>

#include "archive/decode_entry.h"
#include "archive/entry_header.h"
#include "archive/extract_entry.h"
#include "archive/lzh_decoder.h"
#include "archive/payload_format.h"
#include "packer/archive_source.h"
#include "packer/commands.h"
#include "packer/entry_report.h"
#include "setup/setup_state.h"

namespace {

struct WalkTotals {
  uint32_t Entries = 0;
  uint64_t Stored = 0;
  uint64_t Unpacked = 0;
};

void PrintTotals(const WalkTotals& totals, uint32_t end, size_t size) {
  std::printf("%u entries, %llu bytes stored, %llu bytes unpacked\n", totals.Entries,
              static_cast<unsigned long long>(totals.Stored),
              static_cast<unsigned long long>(totals.Unpacked));
  if (end < size) std::printf("%zu stray bytes after the last entry are ignored\n", size - end);
}

// Decodes one compressed entry as the extractor does, writing nothing. True when the decoder
// found no damage.
bool DecodesCleanly(const EntryHeader& entry) {
  return DecodeEntry(entry.Data, entry.StoredSize, entry.UnpackedSize, nullptr, nullptr) ==
         kDecodeEntryComplete;
}

// The destination made absolute (the extractor moves the current directory) and created.
std::string PrepareDestination(const std::string& directory) {
  std::error_code error;
  std::filesystem::path absolute = std::filesystem::absolute(directory, error);
  if (!error) std::filesystem::create_directories(absolute, error);
  if (error || !std::filesystem::is_directory(absolute)) {
    throw std::runtime_error(directory + ": cannot be created as a directory");
  }
  return absolute.string();
}

// Reads the headers from offset 0 to the end, counting each valid entry into totals after
// visit(entry, offset) accepted it. visit returns false after reporting why it refused the entry.
// Returns true when the walk reached the end (the totals are then printed), false on a failure.
template <typename Visit>
bool WalkHeaders(const ArchiveBytes& archive, Visit visit) {
  const uint32_t size = uint32_t(archive.size());
  WalkTotals totals;
  EntryHeader entry;
  uint32_t offset = 0;
  int header;
  while ((header = ReadEntryHeader(archive.data(), offset, size, &entry)) == kHeaderValid) {
    if (!visit(entry, totals.Entries + 1, offset)) return false;
    ++totals.Entries;
    totals.Stored += entry.StoredSize;
    totals.Unpacked += entry.UnpackedSize;
    offset = entry.NextOffset;
  }
  if (header == kHeaderMalformed) {
    ReportEntryFailure(totals.Entries + 1, offset, "", HeaderProblemText(entry.Problem));
    return false;
  }
  PrintTotals(totals, offset, archive.size());
  return true;
}

}  // namespace

// Prints one line per entry and the totals; exit 1 at the first malformed header.
int ListCommand(const Options& options) {
  const ArchiveBytes archive = LoadArchiveSource(options.input);
  std::printf("%-10s %10s %10s  %s\n", "method", "stored", "unpacked", "name");
  bool walked = WalkHeaders(archive, [](const EntryHeader& entry, uint32_t, uint32_t) {
    std::printf("%-10s %10u %10u  %s\n", MethodName(entry.Method).c_str(), entry.StoredSize,
                entry.UnpackedSize, EntryName(entry).c_str());
    return true;
  });
  return walked ? 0 : 1;
}

// Walks the archive with ExtractEntry from offset 0, as the install run does; stops at the first
// failure.
int ExtractCommand(const Options& options) {
  const ArchiveBytes archive = LoadArchiveSource(options.input);
  const std::string destination = PrepareDestination(options.output);
  const uint32_t size = uint32_t(archive.size());
  Setup = SetupState{};
  WalkTotals totals;
  EntryHeader entry;
  int result;
  for (uint32_t offset = 0;; offset = uint32_t(result)) {
    int header = ReadEntryHeader(archive.data(), offset, size, &entry);
    result = ExtractEntry(archive.data(), offset, size, destination.c_str());
    if (result == kExtractEnd) break;
    if (result < 0) {
      bool valid = header == kHeaderValid;
      ReportEntryFailure(totals.Entries + 1, offset, valid ? EntryName(entry) : "",
                         valid ? ExtractFailureText(result, DecodeFailed != 0)
                               : HeaderProblemText(entry.Problem));
      return 1;
    }
    ++totals.Entries;
    totals.Unpacked += entry.UnpackedSize;
  }
  std::printf("%u entries extracted into %s, %llu bytes\n", totals.Entries, destination.c_str(),
              static_cast<unsigned long long>(totals.Unpacked));
  return 0;
}

// Reads every header and decodes every compressed entry in memory; writes nothing.
int CheckCommand(const Options& options) {
  const ArchiveBytes archive = LoadArchiveSource(options.input);
  bool walked = WalkHeaders(archive, [](const EntryHeader& entry, uint32_t number, uint32_t offset) {
    if (entry.Method != kMethodCompressed || DecodesCleanly(entry)) return true;
    ReportEntryFailure(number, offset, EntryName(entry), ExtractFailureText(kExtractDecodeFailed, true));
    return false;
  });
  if (!walked) return 1;
  std::printf("every entry checks out\n");
  return 0;
}
