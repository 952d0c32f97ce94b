// A release: a copy of the program stub with one product's record, icon and payload written in.
// Host only.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The values of the program's PackageInfo record (setup/package_info.h); texts are code page
// 1252 bytes without their terminating zero.
struct ReleaseRecord {
  int CreateDesktopShortcut = 0;
  int FileCount = 0;
  std::string Title, ProductName, DefaultFolderName, ProgramBaseName;
  int CreateUninstall = 0;
  std::string UninstallArgument;  // shorter than kUninstallArgumentSize
  int UninstallIconIndex = 0;
  int CreateHelpShortcut = 0;
  std::string HelpFileName, HelpShortcutName, DefaultBaseDirectory;
};

// Name of the section that holds the record's texts, after the stub's own sections.
constexpr char kRecordTextSection[] = ".kpxtext";

// The release image made from stub (a program built with the placeholder record, 32- or 64-bit):
// the record found by its marker and filled in, its texts in a new section kRecordTextSection,
// the icon group's images replaced by those of icon (an .ico file already checked; empty: the
// stub's icon stays), the payload resource's data replaced by payload, and the image's sizes,
// tables and checksum fixed. The stub's sections before its resources keep their bytes and
// addresses. Throws KpxError "the program stub: ..." when stub is not such a program.
std::vector<uint8_t> MakeReleaseImage(const std::vector<uint8_t>& stub, const ReleaseRecord& record,
                                      const std::vector<uint8_t>& icon,
                                      const std::vector<uint8_t>& payload);
