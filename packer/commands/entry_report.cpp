// Messages of the inspection commands.
#include "packer/commands/entry_report.h"

#include "archive/extract_entry.h"
#include "archive/payload_format.h"
#include "packer/kpx_error.h"
#include "packer/printable_text.h"

// The text of a number macro.
#define KPX_TEXT(number) KPX_TEXT_(number)
#define KPX_TEXT_(number) #number

std::string EntryName(const EntryHeader& entry) {
  return std::string(reinterpret_cast<const char*>(entry.NameField), entry.NameFieldSize - 1);
}

std::string EntryDisplayName(const EntryHeader& entry) {
  return PrintableEntryName(EntryName(entry));
}

std::string MethodName(uint32_t method) {
  if (method == kMethodCompressed) return "lh5";
  if (method == kMethodStored) return "stored";
  return "stored(" + std::to_string(method) + ")";
}

const char* HeaderProblemText(HeaderProblem problem) {
  switch (problem) {
    case kHeaderSound:
      return "the header is sound";
    case kBadMagic:
      return "the header does not start with the entry magic";
    case kHeaderPastEnd:
      return "the header does not end before the end of the archive";
    case kNoNameField:
      return "the header size leaves no room for a name";
    case kEmptyName:
      return "the name is empty";
    case kDataPastEnd:
      return "the data runs past the end of the archive";
    case kSizeTooLarge:
      return "a size reaches 2 GiB";
    case kUnpackedExceedsStored:
      return "the stored entry unpacks to more bytes than it stores";
    case kUnsafeName:
      return "the name is not a safe relative path (NUL inside, '/', ':', '\\' at the start, "
             "or an empty, '.' or '..' component)";
    case kWindowsName:
      return "Windows would open a device for the name or drop its trailing dots and spaces, "
             "and the file would be lost (CON, NUL .txt, COM1, CONIN$, CLOCK$, LPT\xC2\xB2, "
             "\"name.\", \"name \")";
  }
  return "the header is malformed";
}

const char* ExtractFailureText(int result, bool decodeFailed) {
  switch (result) {
    case kExtractMalformedHeader:
      return "the output path would be longer than " KPX_TEXT(KPX_MAX_OUTPUT_PATH) " characters";
    case kExtractDecodeFailed:
      return decodeFailed ? "the compressed data is damaged" : "writing the file failed";
    case kExtractStoredWriteFailed:
      return "writing the file failed";
    case kExtractCannotCreateFile:
      return "the output file cannot be created";
  }
  return "extraction failed";
}

void FailAtEntry(uint32_t number, uint32_t offset, const std::string& name,
                 const std::string& reason) {
  std::string entry = "entry " + std::to_string(number);
  if (!name.empty()) entry += " (" + name + ")";
  throw KpxError(entry + " at offset " + std::to_string(offset) + ": " + reason);
}
