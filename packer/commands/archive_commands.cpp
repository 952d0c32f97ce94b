// list, extract and check: the host tool's view of a payload archive, read exactly as the setup
// program reads it (the same header checks, the same extractor and decoder).
#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include "archive/decode_entry.h"
#include "archive/entry_header.h"
#include "archive/extract_entry.h"
#include "archive/lzh_decoder.h"
#include "archive/payload_format.h"
#include "packer/payload/ansi_names.h"
#include "packer/payload/archive_source.h"
#include "packer/commands/commands.h"
#include "packer/commands/entry_report.h"
#include "packer/kpx_error.h"
#include "packer/printable_text.h"

namespace {

struct WalkTotals {
  uint32_t Entries = 0;
  uint32_t Compressed = 0;
  uint64_t Stored = 0;
  uint64_t Unpacked = 0;
};

void PrintTotals(const WalkTotals& totals) {
  std::printf("%u entries, %llu bytes stored, %llu bytes unpacked\n", totals.Entries,
              static_cast<unsigned long long>(totals.Stored),
              static_cast<unsigned long long>(totals.Unpacked));
}

// Decodes one compressed entry as the extractor does, writing nothing. True when the decoder
// found no damage.
bool DecodesCleanly(const EntryHeader& entry) {
  return DecodeEntry(entry.Data, entry.StoredSize, entry.UnpackedSize, nullptr, nullptr) ==
         kDecodeEntryComplete;
}

// The destination made absolute, created, and in
// code page 1252: the extractor's paths are code page 1252 bytes, as on Windows, and the file layer
// turns them into this system's UTF-8 names.
std::string PrepareDestination(const std::string& directory) {
  std::error_code error;
  std::filesystem::path absolute = std::filesystem::absolute(directory, error);
  std::string cp1252;
  if (!error && !Utf8ToCp1252(absolute.string(), cp1252))
    throw KpxError(directory +
                   ": the folder's path has characters that code page 1252 cannot hold");
  if (!error) std::filesystem::create_directories(absolute, error);
  if (error || !std::filesystem::is_directory(absolute)) {
    throw KpxError(directory + ": cannot be created as a directory");
  }
  return cp1252;
}

// Reads the headers from offset 0 to the end, calling visit(entry, number, offset) for each valid
// entry (number counts from 1) and counting it. Throws at a malformed header, for an archive
// without entries, and for 1 to 20 bytes after the last entry: the program stops there as at the
// end, so a cut archive would install in part and report success. Entries whose names Windows
// would turn into a device or trim are passed over and named all together at the end.
template <typename Visit>
WalkTotals WalkHeaders(const ArchiveBytes& archive, const std::string& path, Visit visit) {
  const uint32_t size = uint32_t(archive.size());
  WalkTotals totals;
  EntryHeader entry;
  uint32_t offset = 0;
  uint32_t number = 1;
  std::string windowsNames;
  int header;
  for (; (header = ReadEntryHeader(archive.data(), offset, size, &entry)) != kHeaderEnd; ++number) {
    if (header == kHeaderMalformed && entry.Problem == kWindowsName) {
      windowsNames += (windowsNames.empty() ? "" : ", ") + ("entry " + std::to_string(number)) +
                      " (" + EntryDisplayName(entry) + ") at offset " + std::to_string(offset);
      offset = entry.NextOffset;
      continue;
    }
    if (header == kHeaderMalformed)
      FailAtEntry(number, offset, "", HeaderProblemText(entry.Problem));
    visit(entry, number, offset);
    ++totals.Entries;
    totals.Compressed += entry.Method == kMethodCompressed;
    totals.Stored += entry.StoredSize;
    totals.Unpacked += entry.UnpackedSize;
    offset = entry.NextOffset;
  }
  if (offset < size)
    FailAtEntry(number, offset, "",
                std::to_string(size - offset) +
                    " bytes are too few for an entry header: the archive is cut short");
  if (!windowsNames.empty()) throw KpxError(windowsNames + ": " + HeaderProblemText(kWindowsName));
  if (totals.Entries == 0) throw KpxError(path + ": the archive is empty");
  return totals;
}

}  // namespace

// Prints one line per entry and the totals.
void ListCommand(const Options& options) {
  const ArchiveBytes archive = LoadArchiveSource(options.input);
  std::printf("%-10s %10s %10s  %s\n", "method", "stored", "unpacked", "name");
  PrintTotals(WalkHeaders(archive, options.input, [](const EntryHeader& entry, uint32_t, uint32_t) {
    std::printf("%-10s %10u %10u  %s\n", MethodName(entry.Method).c_str(), entry.StoredSize,
                entry.UnpackedSize, EntryDisplayName(entry).c_str());
  }));
}

// Reads every header first, so that a malformed or cut archive writes nothing; then walks the
// archive with ExtractEntry from offset 0, as the install run does, and stops at the first failure.
void ExtractCommand(const Options& options) {
  const ArchiveBytes archive = LoadArchiveSource(options.input);
  const WalkTotals totals =
      WalkHeaders(archive, options.input, [](const EntryHeader&, uint32_t, uint32_t) {});
  const std::string destination = PrepareDestination(options.output);
  const uint32_t size = uint32_t(archive.size());
  EntryHeader entry;
  uint32_t number = 1;
  int result;
  for (uint32_t offset = 0;; offset = uint32_t(result), ++number) {
    const bool valid = ReadEntryHeader(archive.data(), offset, size, &entry) == kHeaderValid;
    result = ExtractEntry(archive.data(), offset, size, destination.c_str(), nullptr);
    if (result == kExtractEnd) break;
    if (result < 0)
      FailAtEntry(number, offset, valid ? EntryDisplayName(entry) : "",
                  ExtractFailureText(result, DecodeFailed != 0));
  }
  std::printf("%u entries extracted into %s, %llu bytes\n", totals.Entries,
              PrintableText(Cp1252ToUtf8(destination)).c_str(),
              static_cast<unsigned long long>(totals.Unpacked));
}

// Reads every header and decodes every compressed entry in memory; writes nothing. Stored entries
// carry no checksum in this format, so for them only the header can be checked.
void CheckCommand(const Options& options) {
  const ArchiveBytes archive = LoadArchiveSource(options.input);
  auto decode = [](const EntryHeader& entry, uint32_t number, uint32_t offset) {
    if (entry.Method == kMethodCompressed && !DecodesCleanly(entry))
      FailAtEntry(number, offset, EntryDisplayName(entry),
                  ExtractFailureText(kExtractDecodeFailed, true));
  };
  const WalkTotals totals = WalkHeaders(archive, options.input, decode);
  PrintTotals(totals);
  std::printf("%u compressed %s cleanly; stored entries carry no checksum\n", totals.Compressed,
              totals.Compressed == 1 ? "entry decodes" : "entries decode");
}
