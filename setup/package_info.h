// The package description: the one static record that makes this program install one particular
// product. Portable. The Windows build compiles in the record that `kpx package` generates; the
// native tests link the shipped values in package_info.cpp.
#pragma once

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
