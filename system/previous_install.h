// Detection of an earlier installation in the destination, and the removal of the product's
// previous generation (its files, Start-menu folder, desktop link and uninstall key; its
// templates folder is kept as "oldtemplates"). Every name here is the previous generation's own
// constant, never taken from the package description. Declarations; the code is Win32
// (previous_install_win.cpp).
#pragma once

// Results of DetectPreviousInstall.
enum PreviousInstallResult : int {
  kNoPreviousProgram = 1,         // no "quorvel.exe" in the directory
  kCurrentProductFound = -1,      // "quorvel.ini" has UseMMX in [Quorvelane]
  kPreviousGenerationFound = -2,  // "quorvel.ini" has Swap_R&B in [Quorvel] (tested first)
  kUnknownProgramFound = -3,      // "quorvel.exe" without either key (or without the ini file)
};

#define PREVIOUS_PROGRAM_FILE "quorvel.exe"
#define PREVIOUS_INI_FILE "quorvel.ini"
#define PREVIOUS_GENERATION_SECTION "Quorvel"
#define PREVIOUS_GENERATION_KEY "Swap_R&B"
#define CURRENT_PRODUCT_SECTION "Quorvelane"
#define CURRENT_PRODUCT_KEY "UseMMX"
#define PREVIOUS_TEMPLATES_FOLDER "templates"
#define KEPT_TEMPLATES_FOLDER "oldtemplates"
#define PREVIOUS_START_MENU_FOLDER "quorvel"
#define PREVIOUS_DESKTOP_LINK "quorvel.lnk"
#define PREVIOUS_UNINSTALL_KEY "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Quorvel"

// The previous generation's files in its install directory, in the order they are deleted.
constexpr int kPreviousFileCount = 7;
extern const char* const kPreviousFiles[kPreviousFileCount];

// Classifies directory (a full path, with or without trailing '\'). Changes nothing. Returns a
// PreviousInstallResult.
PreviousInstallResult DetectPreviousInstall(const char* directory);

// Deletes the previous generation from directory (with or without trailing '\'): its listed
// files, then "templates" renamed to "oldtemplates" (unless that name exists), its shortcuts and
// its uninstall key. Every step is attempted; nothing is reported.
void RemoveLegacyVersion(const char* directory);

// Removes the previous generation's Start-menu folder (with everything in it) and desktop link.
void RemoveLegacyShortcuts();

// Deletes the previous generation's uninstall key with its two values, if the key exists.
void RemoveLegacyUninstallKey();
