// Registers the product's uninstall entry under HKEY_LOCAL_MACHINE. Win32.
#include "system/uninstall_key.h"

#include "setup/package_info.h"
#include "setup/setup_state.h"
#include "system/path_buffer.h"
#include "system/win32_api.h"

// Writes one REG_SZ value, terminator included. True when the system took it.
static bool SetStringValue(HKEY key, const char* name, const char* text) {
  return RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text),
                        DWORD(lstrlenA(text) + 1)) == ERROR_SUCCESS;
}

// The command is composed before the key is touched, and a value that cannot be set takes the
// other with it: an entry with a name but no command could never be removed from the list.
UninstallKeyResult RegisterUninstall() {
  char keyPath[kPathSize];
  if (!CopyPath(keyPath, kPathSize, UNINSTALL_KEY_ROOT) ||
      !AppendPath(keyPath, kPathSize, Package.ProductName)) {
    return kUninstallKeyNotOpened;  // a cut key name would name another product's key
  }
  char command[kPathSize];
  if (!ComposeUninstallCommand(command, kPathSize, Setup.InstallDirectory, Package.ProgramBaseName,
                               Package.UninstallArgument)) {
    return kUninstallCommandTooLong;
  }
  HKEY key;
  char emptyClass[] = "";
  if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, keyPath, 0, emptyClass, REG_OPTION_NON_VOLATILE,
                      KEY_ALL_ACCESS, nullptr, &key, nullptr) != ERROR_SUCCESS) {
    return kUninstallKeyNotOpened;
  }
  UninstallKeyResult result = kUninstallKeyWritten;
  if (!SetStringValue(key, DISPLAY_NAME_VALUE, Package.ProductName) ||
      !SetStringValue(key, UNINSTALL_STRING_VALUE, command)) {
    (void)RegDeleteValueA(key, DISPLAY_NAME_VALUE);
    (void)RegDeleteValueA(key, UNINSTALL_STRING_VALUE);
    result = kUninstallValueNotWritten;
  }
  RegCloseKey(key);
  return result;
}
