// Reading and writing a PE image whole. All numbers are little-endian.
//
// Format notes
// ------------
//   0x3C              e_lfanew: offset of "PE\0\0"
//   PE + 6            NumberOfSections (16 bits); PE + 12: PointerToSymbolTable; PE + 20:
//                     SizeOfOptionalHeader (16 bits)
//   optional header   at PE + 24: magic 0x10B (PE32) or 0x20B (PE32+); +8 SizeOfInitializedData;
//                     ImageBase at +28 (32 bits) or +24 (64 bits); +32 SectionAlignment;
//                     +36 FileAlignment; +56 SizeOfImage; +60 SizeOfHeaders; +64 CheckSum;
//                     the data directories (address, size) after their count at +92 or +108
//   section header    40 bytes: name (8), VirtualSize, VirtualAddress, SizeOfRawData,
//                     PointerToRawData, relocation and line-number fields (unused in images),
//                     Characteristics
#include "packer/pe_image/pe_image.h"

#include <algorithm>

#include "packer/kpx_error.h"

namespace {

constexpr uint16_t kPe32Magic = 0x10B;
constexpr uint16_t kPe32PlusMagic = 0x20B;
constexpr uint32_t kSectionHeaderSize = 40;
constexpr uint32_t kCertificateDirectory = 4;

[[noreturn]] void Fail(const std::string& what) { throw KpxError(what); }

uint32_t Get16(const std::vector<uint8_t>& b, uint64_t at) {
  if (at + 2 > b.size()) Fail("the PE structures run past the end of the file");
  return b[at] | b[at + 1] << 8;
}
uint32_t Get32(const std::vector<uint8_t>& b, uint64_t at) {
  return Get16(b, at) | Get16(b, at + 2) << 16;
}
void Put16(std::vector<uint8_t>& b, uint64_t at, uint32_t v) {
  b[at] = uint8_t(v);
  b[at + 1] = uint8_t(v >> 8);
}
void Put32(std::vector<uint8_t>& b, uint64_t at, uint32_t v) {
  Put16(b, at, v & 0xFFFF);
  Put16(b, at + 2, v >> 16);
}
uint64_t AlignUp(uint64_t value, uint32_t alignment) {
  return (value + alignment - 1) / alignment * alignment;
}

uint32_t OptionalHeader(const PeImage& image) { return image.PeOffset + 24; }
uint32_t Directories(const PeImage& image) {
  return OptionalHeader(image) + (image.Is64 ? 112 : 96);
}
uint32_t SectionTable(const PeImage& image) {
  return OptionalHeader(image) + Get16(image.Headers, image.PeOffset + 20);
}

// The sum of the raw sizes of the initialized-data sections in the section table of headers.
uint32_t InitializedDataSize(const std::vector<uint8_t>& headers, uint32_t table, uint32_t count) {
  uint32_t total = 0;
  for (uint32_t i = 0; i < count; ++i) {
    const uint32_t at = table + i * kSectionHeaderSize;
    if (Get32(headers, at + 36) & kSectionInitializedData) total += Get32(headers, at + 16);
  }
  return total;
}

}  // namespace

PeImage ReadPeImage(const std::vector<uint8_t>& file) {
  if (file.size() < 0x40 || file[0] != 'M' || file[1] != 'Z') Fail("not a Windows program");
  PeImage image;
  image.PeOffset = Get32(file, 0x3C);
  if (Get32(file, image.PeOffset) != 0x00004550u) Fail("no PE header");
  const uint32_t optional = image.PeOffset + 24;
  const uint32_t magic = Get16(file, optional);
  if (magic != kPe32Magic && magic != kPe32PlusMagic) Fail("unknown PE optional header");
  image.Is64 = magic == kPe32PlusMagic;
  image.ImageBase = image.Is64
                        ? Get32(file, optional + 24) | uint64_t(Get32(file, optional + 28)) << 32
                        : Get32(file, optional + 28);
  image.SectionAlignment = Get32(file, optional + 32);
  image.FileAlignment = Get32(file, optional + 36);
  const uint32_t headersSize = Get32(file, optional + 60);
  if (image.FileAlignment == 0 || image.SectionAlignment < image.FileAlignment ||
      headersSize > file.size())
    Fail("damaged PE optional header");
  if (Get32(file, image.PeOffset + 12) != 0) Fail("it has a symbol table: it must be stripped");
  const uint32_t directoryCount = Get32(file, optional + (image.Is64 ? 108 : 92));
  const uint32_t directories = optional + (image.Is64 ? 112 : 96);
  if (directoryCount > kCertificateDirectory &&
      Get32(file, directories + 8 * kCertificateDirectory + 4) != 0)
    Fail("it is signed: sign the release, not the program it is made from");
  image.Headers.assign(file.begin(), file.begin() + headersSize);

  const uint32_t count = Get16(file, image.PeOffset + 6);
  const uint32_t table = optional + Get16(file, image.PeOffset + 20);
  if (table + uint64_t(count) * kSectionHeaderSize > headersSize) Fail("damaged section table");
  uint64_t fileEnd = headersSize;
  for (uint32_t i = 0; i < count; ++i) {
    const uint32_t at = table + i * kSectionHeaderSize;
    PeSection section;
    for (uint32_t c = 0; c < 8 && file[at + c] != 0; ++c) section.Name += char(file[at + c]);
    section.VirtualSize = Get32(file, at + 8);
    section.VirtualAddress = Get32(file, at + 12);
    section.Characteristics = Get32(file, at + 36);
    const uint32_t rawSize = Get32(file, at + 16), rawOffset = Get32(file, at + 20);
    if (rawSize != 0) {
      if (rawOffset != AlignUp(fileEnd, image.FileAlignment) || rawSize % image.FileAlignment ||
          uint64_t(rawOffset) + rawSize > file.size())
        Fail("section " + section.Name + " is not where the next section's data belongs");
      section.Data.assign(file.begin() + rawOffset, file.begin() + rawOffset + rawSize);
      fileEnd = uint64_t(rawOffset) + rawSize;
    }
    if (!image.Sections.empty() && section.VirtualAddress < image.Sections.back().VirtualAddress)
      Fail("the sections are not in address order");
    image.Sections.push_back(std::move(section));
  }
  if (fileEnd != file.size()) Fail("it has data after its last section");
  return image;
}

uint32_t PeChecksumOffset(const PeImage& image) { return OptionalHeader(image) + 64; }

uint32_t PeChecksum(const std::vector<uint8_t>& file, uint32_t checksumOffset) {
  uint64_t sum = 0;
  for (size_t at = 0; at < file.size(); at += 2) {
    if (at == checksumOffset || at == checksumOffset + 2) continue;
    sum += file[at] | (at + 1 < file.size() ? file[at + 1] << 8 : 0);
    sum = (sum & 0xFFFF) + (sum >> 16);
  }
  sum = (sum & 0xFFFF) + (sum >> 16);
  return uint32_t(sum + file.size());
}

std::vector<uint8_t> WritePeImage(const PeImage& image) {
  std::vector<uint8_t> file = image.Headers;
  const uint32_t table = SectionTable(image);
  const uint32_t oldCount = Get16(file, image.PeOffset + 6);
  const uint32_t count = uint32_t(image.Sections.size());
  if (table + uint64_t(count) * kSectionHeaderSize > file.size())
    Fail("no room in the headers for another section");
  const uint32_t optional = OptionalHeader(image);
  const uint32_t oldInitialized = InitializedDataSize(file, table, oldCount);
  std::fill(file.begin() + table,
            file.begin() + table + std::max(oldCount, count) * kSectionHeaderSize, 0);
  Put16(file, image.PeOffset + 6, count);

  uint64_t virtualEnd = AlignUp(file.size(), image.SectionAlignment);
  const uint32_t directories = Directories(image);
  const uint32_t directoryCount = Get32(file, directories - 4);
  for (uint32_t i = 0; i < count; ++i) {
    const PeSection& section = image.Sections[i];
    if (section.Name.size() > 8) Fail("section name " + section.Name + " is too long");
    if (section.VirtualAddress < virtualEnd || section.VirtualAddress % image.SectionAlignment)
      Fail("section " + section.Name + " overlaps the one before it");
    virtualEnd =
        AlignUp(uint64_t(section.VirtualAddress) + section.VirtualSize, image.SectionAlignment);
    const uint32_t rawOffset = section.Data.empty() ? 0 : uint32_t(file.size());
    const uint32_t rawSize = uint32_t(AlignUp(section.Data.size(), image.FileAlignment));
    file.insert(file.end(), section.Data.begin(), section.Data.end());
    file.resize(rawOffset + rawSize > file.size() ? rawOffset + rawSize : file.size(), 0);
    const uint32_t at = table + i * kSectionHeaderSize;
    std::copy(section.Name.begin(), section.Name.end(), file.begin() + at);
    Put32(file, at + 8, section.VirtualSize);
    Put32(file, at + 12, section.VirtualAddress);
    Put32(file, at + 16, rawSize);
    Put32(file, at + 20, rawOffset);
    Put32(file, at + 36, section.Characteristics);
    const uint32_t directory = section.Name == ".rsrc"    ? kResourceDirectory
                               : section.Name == ".reloc" ? kBaseRelocationDirectory
                                                          : directoryCount;
    if (directory < directoryCount) {
      Put32(file, directories + 8 * directory, section.VirtualAddress);
      Put32(file, directories + 8 * directory + 4, section.VirtualSize);
    }
  }
  if (virtualEnd > UINT32_MAX) Fail("the image is larger than 4 GB");
  Put32(file, optional + 56, uint32_t(virtualEnd));  // SizeOfImage
  const uint32_t initialized =
      Get32(file, optional + 8) - oldInitialized + InitializedDataSize(file, table, count);
  Put32(file, optional + 8, initialized);
  Put32(file, PeChecksumOffset(image), PeChecksum(file, PeChecksumOffset(image)));
  return file;
}
