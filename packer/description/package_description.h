// The package description file of `kpx package`: the product folder and the fields of the
// program's PackageInfo record (all but FileCount, which the packer counts). Host only.
//
// Layout (INI, one section):
//   [package]
//   product_folder = product            ; relative to the description file's folder
//   title = Quorvelane version 2.08
//   product_name = Quorvelane
//   default_folder_name = Quorvelane
//   program_base_name = quorvel
//   create_desktop_shortcut = true
//   create_uninstall = true
//   uninstall_argument = /uninstall
//   uninstall_icon_index = 1
//   create_help_shortcut = true
//   help_file_name = quorvel.hlp
//   help_shortcut_name = Quorvelane Help.lnk
//   default_base_directory = c:\program files
//   icon = product.ico                  ; optional, relative to the description file's folder
// Texts are UTF-8 in the file and become code page 1252 bytes. The file is read strictly (see
// ini_section.h): every key is known, given once, and its value is of its type.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "packer/payload/product_files.h"

struct PackageDescription {
  std::string ProductFolder;  // path on this machine
  int CreateDesktopShortcut = 1;
  std::string Title;
  std::string ProductName;
  std::string DefaultFolderName;
  std::string ProgramBaseName;
  int CreateUninstall = 1;
  std::string UninstallArgument;
  int UninstallIconIndex = 0;
  int CreateHelpShortcut = 0;
  std::string HelpFileName;
  std::string HelpShortcutName;
  std::string DefaultBaseDirectory;
  std::string Icon;  // path on this machine; empty: the project's icon

  std::string SourcePath;               // the description file, for messages
  std::map<std::string, int> KeyLines;  // the line of each key given, for messages
};

// Reads a description file. Throws KpxError "PATH:LINE: ..." for a syntax error, an unknown key
// (suggesting the nearest known one), a key given twice, a value holding a control character
// (below 0x20, or DEL), or a value that is not of its key's type (a boolean, an integer that fits
// an int, a text that code page 1252 can hold); "PATH: ..." for a missing key.
PackageDescription ReadPackageDescription(const std::string& path);

// Checks the texts that the program relies on; throws KpxError naming the file, the line and the
// field that fails:
// UninstallArgument within its 12 bytes, every text within the buffers it is formatted into,
// every text that becomes a file or folder name a single valid Windows name, ProductName none of
// the Start-menu folders that Windows keeps (the install empties the product's), and
// DefaultBaseDirectory a full drive or share path of valid folder names.
void CheckPackageDescription(const PackageDescription& description);

// "PATH:LINE: " for a key given in the file, "PATH: " for one left out, nothing for a description
// that was not read from a file: the start of a message about that key.
std::string KeyLocation(const PackageDescription& description, const std::string& key);

// Checks that the product's files hold what the program starts and links: ProgramBaseName + ".exe"
// and, when its shortcut is wanted, the help file, both at the top. Throws naming the file, the
// line and the field.
void CheckPackageFiles(const PackageDescription& description,
                       const std::vector<ProductFile>& files);

// The install folder that the dialog proposes: DefaultBaseDirectory \ DefaultFolderName \.
std::string DefaultInstallDirectory(const PackageDescription& description);

// The description as resolved, for scripts that need the product's values (`kpx package` writes
// it as description.txt): every key of the file in the table's order, given or not, one
// "key=value" line each, defaults applied; texts UTF-8, flags 1 or 0, paths absolute, an icon
// left out as an empty value.
std::string ResolvedDescriptionText(const PackageDescription& description);
