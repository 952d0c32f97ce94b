// The user's shell folders (Start-menu programs folder and desktop folder) as the registry names
// them. Used by the shortcuts and by the removal of the previous product generation. Declarations
// only; the code is Win32 (shell_folders_win.cpp).
#pragma once

#include "setup/setup_state.h"

// Where the per-user shell folders are listed, under HKEY_CURRENT_USER.
#define SHELL_FOLDERS_KEY "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders"
#define PROGRAMS_VALUE_NAME "Programs"
#define DESKTOP_VALUE_NAME "Desktop"

struct ShellFolders {
  char Programs[kPathSize];  // the user's Start-menu programs folder
  int ProgramsFound;
  char Desktop[kPathSize];  // the user's desktop folder
  int DesktopFound;
};

// Fills folders from the values "Programs" and "Desktop" (names compared without regard to ASCII
// case; the first match of each name counts). A key that cannot be opened finds neither. Values
// whose name or data does not fit in kPathSize bytes are passed over; one that is not a full path
// (IsFullPath) leaves its folder not found.
void LookupShellFolders(ShellFolders& folders);
