// Finds the user's Start-menu programs folder and desktop folder in the registry. Win32.
#include "system/shell_folders.h"

#include "system/path_buffer.h"
#include "system/win32_api.h"

// Takes one value into its folder slot unless that folder was found already. A value that is not
// a full path counts as not found: "" or "\\x" would put the links (and the removal of the old
// ones) on the current drive, wherever that is.
static void TakeFolder(const char* data, char* folder, int& found) {
  if (found) return;  // later values of the same name are ignored
  if (IsFullPath(data) && CopyPath(folder, kPathSize, data)) found = 1;
}

// Reads the values of the shell-folders key by index until both folders are known or the
// values run out. A value that cannot be read (too long for the buffers, or any other error) is
// passed over. The index stops at the value count the key reported when it was opened: a key
// deleted meanwhile, or one that may not be read, fails every index alike and never reports
// the end, and values added later do not matter to a lookup.
void LookupShellFolders(ShellFolders& folders) {
  folders.ProgramsFound = 0;
  folders.DesktopFound = 0;
  folders.Programs[0] = '\0';
  folders.Desktop[0] = '\0';
  HKEY key;
  if (RegOpenKeyA(HKEY_CURRENT_USER, SHELL_FOLDERS_KEY, &key) != ERROR_SUCCESS) return;
  DWORD valueCount = 0;
  if (RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &valueCount,
                       nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) {
    valueCount = 0;  // nothing can be relied on: look at no value
  }
  for (DWORD index = 0; index < valueCount && !(folders.ProgramsFound && folders.DesktopFound);
       ++index) {
    char name[kPathSize];
    char data[kPathSize + 1];  // one spare byte: the stored data need not be terminated
    DWORD nameSize = kPathSize;
    DWORD dataSize = kPathSize;
    LONG result = RegEnumValueA(key, index, name, &nameSize, nullptr, nullptr,
                                reinterpret_cast<BYTE*>(data), &dataSize);
    if (result == ERROR_NO_MORE_ITEMS) break;
    if (result != ERROR_SUCCESS) continue;  // best effort: pass over this value
    data[dataSize < kPathSize ? dataSize : kPathSize] = '\0';
    if (EqualIgnoringAsciiCase(name, PROGRAMS_VALUE_NAME)) {
      TakeFolder(data, folders.Programs, folders.ProgramsFound);
    } else if (EqualIgnoringAsciiCase(name, DESKTOP_VALUE_NAME)) {
      TakeFolder(data, folders.Desktop, folders.DesktopFound);
    }
  }
  RegCloseKey(key);
}
