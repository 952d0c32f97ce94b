// Finds the user's Start-menu programs folder and desktop folder in the registry. Win32.
#include "system/shell_folders.h"

#include "system/path_buffer.h"
#include "system/win32_api.h"

// Takes one value into its folder slot unless that folder was found already.
static void TakeFolder(const char* data, char* folder, int& found) {
  if (found) return;  // later values of the same name are ignored
  if (CopyPath(folder, kPathSize, data)) found = 1;
}

// Reads the values of the shell-folders key by index until both folders are known or the
// values run out. A value that cannot be read (too long for the buffers, or any other error) is
// passed over; the enumeration always ends because the index only grows.
void LookupShellFolders(ShellFolders& folders) {
  folders.ProgramsFound = 0;
  folders.DesktopFound = 0;
  folders.Programs[0] = '\0';
  folders.Desktop[0] = '\0';
  HKEY key;
  if (RegOpenKeyA(HKEY_CURRENT_USER, SHELL_FOLDERS_KEY, &key) != ERROR_SUCCESS) return;
  for (DWORD index = 0; !(folders.ProgramsFound && folders.DesktopFound); ++index) {
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
