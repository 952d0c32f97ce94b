// The names under which the setup program installs Quorvelane: they must match the package
// description (sample/package.ini.in), which gives the Start-menu folder, the link names and the
// uninstall key. Portable.
#pragma once

#define PRODUCT_NAME "Quorvelane"
#define PRODUCT_TITLE "Quorvelane version 2.08"
#define PROGRAM_FILE "quorvel.exe"
#define PROGRAM_LINK PRODUCT_NAME ".lnk"
#define HELP_LINK "Quorvelane Help.lnk"
#define UNINSTALL_LINK "Uninstall " PRODUCT_NAME ".lnk"

// Command-line switches of quorvel.exe.
#define UNINSTALL_SWITCH "/uninstall"      // remove the installed product, after a confirmation
#define QUIET_SWITCH "/quiet"              // with /uninstall: no confirmation and no final message
#define FINISH_SWITCH "/finish-uninstall"  // internal: the helper copy that deletes quorvel.exe
