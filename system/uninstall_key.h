// The product's entry in the system's list of installed programs, under the machine-wide
// uninstall key. Declarations only; the code is Win32 (uninstall_key_win.cpp). The removal of the
// entry is the installed product's own work (sample/quorvel).
#pragma once

#include <cstddef>

// Parent of every product's uninstall key, under HKEY_LOCAL_MACHINE.
#define UNINSTALL_KEY_ROOT "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\"
#define DISPLAY_NAME_VALUE "DisplayName"
#define UNINSTALL_STRING_VALUE "UninstallString"

// Results of RegisterUninstall. The entry is written whole or not at all.
enum UninstallKeyResult : int {
  kUninstallKeyNotOpened = 0,      // the key could not be created or opened; nothing written
  kUninstallKeyWritten = 1,        // key created or opened; both values written
  kUninstallCommandTooLong = -1,   // the command does not fit kPathSize: nothing written
  kUninstallValueNotWritten = -2,  // a value could not be set: neither value is left in the key
};

// Composes the uninstall command into command[0..size-1]: the quoted program path
// (directory, '\' unless directory ends in one, programBaseName, ".exe"), one space, argument.
// The quotes keep a path with spaces from being read as a shorter program path. Returns false
// when it does not fit. Portable (uninstall_command.cpp).
bool ComposeUninstallCommand(char* command, size_t size, const char* directory,
                             const char* programBaseName, const char* argument);

// Creates or opens HKLM\UNINSTALL_KEY_ROOT + Package.ProductName and sets "DisplayName" to the
// product name and "UninstallString" to the uninstall command for Setup.InstallDirectory, or
// writes neither. Other values of an existing key stay.
UninstallKeyResult RegisterUninstall();
