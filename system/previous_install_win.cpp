// Detects an earlier installation and removes the previous product generation. Win32.
#include "system/previous_install.h"

#include "system/directory_tree.h"
#include "system/path_buffer.h"
#include "system/shell_folders.h"
#include "system/uninstall_key.h"
#include "system/win32_api.h"

// A key counts as present when it does not read as the default -1; its value does not matter.
static bool IniKeyPresent(const char* iniPath, const char* section, const char* key) {
  return GetPrivateProfileIntA(section, key, -1, iniPath) != UINT(-1);
}

PreviousInstallResult DetectPreviousInstall(const char* directory) {
  char found[kPathSize];
  char* filePart = nullptr;
  // Only the given directory is searched; only whether the file is there counts.
  if (SearchPathA(directory, PREVIOUS_PROGRAM_FILE, nullptr, kPathSize, found, &filePart) == 0) {
    return kNoPreviousProgram;
  }
  char iniPath[kPathSize];
  if (!CopyPath(iniPath, kPathSize, directory) || !AppendSeparator(iniPath, kPathSize) ||
      !AppendPath(iniPath, kPathSize, PREVIOUS_INI_FILE)) {
    return kUnknownProgramFound;  // an ini path that does not fit cannot be read
  }
  if (IniKeyPresent(iniPath, PREVIOUS_GENERATION_SECTION, PREVIOUS_GENERATION_KEY)) {
    return kPreviousGenerationFound;
  }
  if (IniKeyPresent(iniPath, CURRENT_PRODUCT_SECTION, CURRENT_PRODUCT_KEY)) {
    return kCurrentProductFound;
  }
  return kUnknownProgramFound;
}

// Composes directory (ending in '\') + name; false when it does not fit.
static bool ComposeInDirectory(char* path, const char* directory, const char* name) {
  return CopyPath(path, kPathSize, directory) && AppendPath(path, kPathSize, name);
}

void RemoveLegacyVersion(const char* directory) {
  char base[kPathSize];
  char path[kPathSize];
  char newPath[kPathSize];
  bool haveBase = CopyPath(base, kPathSize, directory) && AppendSeparator(base, kPathSize);
  if (haveBase) {
    for (const char* name : kPreviousFiles) {
      if (ComposeInDirectory(path, base, name)) (void)DeleteFileA(path);  // best effort
    }
    if (ComposeInDirectory(path, base, PREVIOUS_TEMPLATES_FOLDER) &&
        ComposeInDirectory(newPath, base, KEPT_TEMPLATES_FOLDER)) {
      (void)MoveFileA(path, newPath);  // fails, keeping "templates", when the new name exists
    }
  }
  RemoveLegacyShortcuts();
  RemoveLegacyUninstallKey();
}

void RemoveLegacyShortcuts() {
  ShellFolders shell;
  LookupShellFolders(shell);
  char path[kPathSize];
  if (shell.ProgramsFound && CopyPath(path, kPathSize, shell.Programs) &&
      AppendPath(path, kPathSize, "\\" PREVIOUS_START_MENU_FOLDER)) {
    (void)EmptyDirectoryTree(path, kRemoveTreeRoot);  // best effort; a link there stays as it is
  }
  if (shell.DesktopFound && CopyPath(path, kPathSize, shell.Desktop) &&
      AppendPath(path, kPathSize, "\\" PREVIOUS_DESKTOP_LINK)) {
    (void)DeleteFileA(path);  // best effort: a missing link is no error
  }
}

void RemoveLegacyUninstallKey() {
  HKEY key;
  if (RegOpenKeyA(HKEY_LOCAL_MACHINE, PREVIOUS_UNINSTALL_KEY, &key) != ERROR_SUCCESS) return;
  (void)RegDeleteValueA(key, DISPLAY_NAME_VALUE);  // best effort
  (void)RegDeleteValueA(key, UNINSTALL_STRING_VALUE);
  RegCloseKey(key);
  (void)RegDeleteKeyA(HKEY_LOCAL_MACHINE, PREVIOUS_UNINSTALL_KEY);
}
