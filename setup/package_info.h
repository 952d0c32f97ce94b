// The package description: the one static record that makes this program install one particular
// product. Portable. The program is built once as a stub whose record holds placeholders
// (package_info.cpp); `kpx release` writes a product's values into a copy of the stub: the numbers
// and UninstallArgument in place, the texts into a section of their own that the pointers then
// address. PackageRecordLayout is where each field lies for either pointer width, so that the
// host tool and the compiler agree (package_info.cpp checks it).
#pragma once

#include <cstddef>
#include <cstdint>

constexpr int kUninstallArgumentSize = 12;

struct PackageInfo {
  int CreateDesktopShortcut;      // written by the install dialog from its check box
  int FileCount;                  // entries that the install run must extract; the progress total
  const char* Title;              // dialog caption after "Installing "
  const char* ProductName;        // Start-menu folder, link names, uninstall key, finish question
  const char* DefaultFolderName;  // appended to the base directory and to a browsed folder
  const char* ProgramBaseName;    // main program file without ".exe"
  int CreateUninstall;            // nonzero: uninstall link and uninstall registration
  char UninstallArgument[kUninstallArgumentSize];
  int UninstallIconIndex;        // icon of the uninstall link within the program file
  int CreateHelpShortcut;        // nonzero: help link in the Start-menu folder
  const char* HelpFileName;      // help file in the install directory
  const char* HelpShortcutName;  // file name of the help link
  const char* DefaultBaseDirectory;
};

extern PackageInfo Package;

// The stub's UninstallArgument: how `kpx release` finds the record in the image (it must occur
// there once). Eleven characters and the terminating zero fill the field.
#define KPX_PACKAGE_RECORD_MARKER "kpx:record:"
static_assert(sizeof(KPX_PACKAGE_RECORD_MARKER) == kUninstallArgumentSize, "fills the field");

// Byte offsets of the record's fields in an image whose pointers are pointerSize (4 or 8) bytes
// wide, with the compilers' natural alignment: ints on 4, pointers on their own size.
struct PackageRecordLayout {
  uint32_t CreateDesktopShortcut, FileCount, Title, ProductName, DefaultFolderName, ProgramBaseName,
      CreateUninstall, UninstallArgument, UninstallIconIndex, CreateHelpShortcut, HelpFileName,
      HelpShortcutName, DefaultBaseDirectory, Size;
};

constexpr PackageRecordLayout PackageRecordLayoutFor(uint32_t pointerSize) {
  const uint32_t p = pointerSize;
  const uint32_t title = 8;  // two ints, then the first pointer, aligned for either width
  const uint32_t createUninstall = title + 4 * p;
  const uint32_t argument = createUninstall + 4;
  const uint32_t iconIndex = argument + kUninstallArgumentSize;  // 4-aligned: 12 is
  const uint32_t helpFile = (iconIndex + 8 + p - 1) / p * p;
  const uint32_t end = helpFile + 3 * p;
  return {0,
          4,
          title,
          title + p,
          title + 2 * p,
          title + 3 * p,
          createUninstall,
          argument,
          iconIndex,
          iconIndex + 4,
          helpFile,
          helpFile + p,
          helpFile + 2 * p,
          (end + p - 1) / p * p};
}
