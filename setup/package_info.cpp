// The shipped package description, linked by the native tests and host tools. The Windows program
// links the record that `kpx package` generates from the sample product's description instead.
#include "setup/package_info.h"

PackageInfo Package = {
    1,                          // CreateDesktopShortcut
    77,                         // FileCount
    "Quorvelane version 2.08",  // Title
    "Quorvelane",               // ProductName
    "Quorvelane",               // DefaultFolderName
    "quorvel",                  // ProgramBaseName
    1,                          // CreateUninstall
    "/uninstall",               // UninstallArgument
    1,                          // UninstallIconIndex
    1,                          // CreateHelpShortcut
    "quorvel.hlp",              // HelpFileName
    "Quorvelane Help.lnk",      // HelpShortcutName
    "c:\\program files",        // DefaultBaseDirectory
};
