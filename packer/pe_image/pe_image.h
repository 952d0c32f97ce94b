// A PE image (a built Windows program, 32- or 64-bit) as its headers and its sections, read whole
// and written back with every size, offset and checksum the format derives from them. This is how
// `kpx release` rewrites the program stub's last sections. Host only.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct PeSection {
  std::string Name;  // at most 8 bytes
  uint32_t VirtualAddress = 0;
  uint32_t VirtualSize = 0;
  uint32_t Characteristics = 0;
  std::vector<uint8_t> Data;  // the section's file bytes, without the file alignment's padding
};

struct PeImage {
  std::vector<uint8_t> Headers;  // DOS header to the end of SizeOfHeaders, section table included
  uint32_t PeOffset = 0;         // of "PE\0\0"
  bool Is64 = false;             // PE32+ (x86-64) rather than PE32 (i686)
  uint64_t ImageBase = 0;
  uint32_t SectionAlignment = 0;
  uint32_t FileAlignment = 0;
  std::vector<PeSection> Sections;  // in address order
};

// Data directory entries that the writer keeps pointing at their section.
constexpr uint32_t kResourceDirectory = 2;
constexpr uint32_t kBaseRelocationDirectory = 5;

constexpr uint32_t kSectionInitializedData = 0x00000040;
constexpr uint32_t kSectionReadable = 0x40000000;

// Reads an image that the writer can rebuild: section data in address order, nothing after the
// last section (no signature, no symbol table, no appended data). Throws KpxError saying what is
// damaged or not supported.
PeImage ReadPeImage(const std::vector<uint8_t>& file);

// Lays the sections out again (each at the next aligned address and file offset after the one
// before it, except those that keep their address) and returns the file: section table,
// NumberOfSections, SizeOfImage, SizeOfInitializedData, the resource and base relocation
// directories (sections ".rsrc" and ".reloc"), and the checksum. Throws KpxError when the
// section table does not fit in the headers or a section would overlap the one before it.
std::vector<uint8_t> WritePeImage(const PeImage& image);

// The image's checksum as the loader computes it: 16-bit words summed with end-around carry, the
// CheckSum field itself counted as zero, plus the file's length.
uint32_t PeChecksum(const std::vector<uint8_t>& file, uint32_t checksumOffset);

// File offset of the optional header's CheckSum field.
uint32_t PeChecksumOffset(const PeImage& image);
