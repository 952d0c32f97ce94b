// The uninstall of the sample product. Win32.
//
// A running program file cannot be deleted on Windows. So the uninstall removes everything but
// quorvel.exe itself, then copies the program to the temp folder and starts that copy with an
// inherited handle to this process; the copy waits for this process to end, deletes quorvel.exe
// and removes the then empty install folder. The copy itself was opened with
// FILE_FLAG_DELETE_ON_CLOSE before it was started, and that handle is inherited by the copy's own
// process only: when the copy ends, the last handle closes and the system deletes the copy.
#include "sample/program/uninstall.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "sample/program/product_names.h"
#include "system/path_buffer.h"
#include "system/shell_folders.h"
#include "system/uninstall_key.h"
#include "system/win32_api.h"

namespace {

// The files that the setup program installs, relative to the install folder (generated at build
// time from the sample product's list). quorvel.exe is not among them: the helper deletes it.
const char* const kInstalledFiles[] = {
#include "installed_files.inc"
};

constexpr DWORD kWaitForOriginalMs = 60000;

// Fills folder with the directory of this program, ending in '\'. False when it does not fit.
bool GetProgramFolder(char* folder) {
  DWORD length = GetModuleFileNameA(nullptr, folder, kPathSize);
  return length > 0 && length < kPathSize && CutAtLastSeparator(folder) &&
         AppendPath(folder, kPathSize, "\\");
}

// Removes the parent folders of relative (below folder), deepest first; only empty ones go.
void RemoveEmptyParents(const char* folder, const char* relative) {
  char path[kPathSize];
  if (!CopyPath(path, kPathSize, folder) || !AppendPath(path, kPathSize, relative)) return;
  size_t stop = strlen(folder);
  while (CutAtLastSeparator(path) && strlen(path) >= stop) {
    (void)RemoveDirectoryA(path);  // fails while something (a user's file) is still inside
  }
}

// Deletes the installed files, then their folders once empty, deepest first.
void RemoveInstalledFiles(const char* folder) {
  char path[kPathSize];
  for (const char* relative : kInstalledFiles) {
    if (CopyPath(path, kPathSize, folder) && AppendPath(path, kPathSize, relative)) {
      (void)DeleteFileA(path);  // best effort
    }
  }
  for (const char* relative : kInstalledFiles) RemoveEmptyParents(folder, relative);
}

// Deletes directory + name when the path fits.
void DeleteIn(const char* directory, const char* name) {
  char path[kPathSize];
  if (CopyPath(path, kPathSize, directory) && AppendPath(path, kPathSize, name)) {
    (void)DeleteFileA(path);  // best effort
  }
}

// Deletes the three Start-menu links and their folder (if then empty), and the desktop link.
void RemoveShortcuts() {
  ShellFolders shell;
  LookupShellFolders(shell);
  char menu[kPathSize];
  if (shell.ProgramsFound && CopyPath(menu, kPathSize, shell.Programs) &&
      AppendPath(menu, kPathSize, "\\" PRODUCT_NAME "\\")) {
    static const char* const kLinks[] = {PROGRAM_LINK, HELP_LINK, UNINSTALL_LINK};
    for (const char* link : kLinks) DeleteIn(menu, link);
    (void)RemoveDirectoryA(menu);  // a user's own file there keeps the folder
  }
  if (shell.DesktopFound) DeleteIn(shell.Desktop, "\\" PROGRAM_LINK);
}

// Deletes the uninstall key with its two values.
void RemoveUninstallKey() {
  HKEY key;
  const char* path = UNINSTALL_KEY_ROOT PRODUCT_NAME;
  if (RegOpenKeyA(HKEY_LOCAL_MACHINE, path, &key) == ERROR_SUCCESS) {
    (void)RegDeleteValueA(key, DISPLAY_NAME_VALUE);
    (void)RegDeleteValueA(key, UNINSTALL_STRING_VALUE);
    RegCloseKey(key);
  }
  (void)RegDeleteKeyA(HKEY_LOCAL_MACHINE, path);  // best effort
}

// Copies this program to the temp folder and starts the copy, which deletes this program file
// once this process has ended. False when the copy cannot be made or started.
bool StartRemovalHelper(const char* programPath) {
  char helper[kPathSize];
  DWORD length = GetTempPathA(kPathSize, helper);
  char name[32];
  snprintf(name, sizeof name, "quorvel-uninstall-%lu.exe", GetCurrentProcessId());
  if (length == 0 || length >= kPathSize || !AppendPath(helper, kPathSize, name) ||
      !CopyFileA(programPath, helper, FALSE)) {
    return false;
  }
  SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
  HANDLE deleteOnClose = CreateFileA(helper, 0, FILE_SHARE_READ | FILE_SHARE_DELETE, &inherit,
                                     OPEN_EXISTING, FILE_FLAG_DELETE_ON_CLOSE, nullptr);
  HANDLE self = nullptr;
  DuplicateHandle(GetCurrentProcess(), GetCurrentProcess(), GetCurrentProcess(), &self, SYNCHRONIZE,
                  TRUE, 0);
  char commandLine[3 * kPathSize];
  snprintf(commandLine, sizeof commandLine, "\"%s\" " FINISH_SWITCH " %llu \"%s\"", helper,
           static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(self)), programPath);
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process;
  BOOL started = CreateProcessA(helper, commandLine, nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                                &startup, &process);
  if (deleteOnClose != INVALID_HANDLE_VALUE) CloseHandle(deleteOnClose);  // the copy holds its own
  if (!started) return false;
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return true;
}

}  // namespace

int RunUninstall(bool quiet) {
  if (!quiet &&
      MessageBoxA(nullptr, "Do you want to remove " PRODUCT_NAME " and all of its components?",
                  PRODUCT_TITLE, MB_YESNO | MB_ICONQUESTION) != IDYES) {
    return 1;
  }
  char folder[kPathSize];
  char program[kPathSize];
  if (!GetProgramFolder(folder) || GetModuleFileNameA(nullptr, program, kPathSize) == 0) return 1;
  RemoveInstalledFiles(folder);
  RemoveShortcuts();
  RemoveUninstallKey();
  if (!quiet) {
    MessageBoxA(nullptr, PRODUCT_NAME " has been removed from your computer.", PRODUCT_TITLE,
                MB_OK | MB_ICONINFORMATION);
  }
  return StartRemovalHelper(program) ? 0 : 1;
}

int FinishUninstall(const char* arguments) {
  char* end = nullptr;
  HANDLE original = reinterpret_cast<HANDLE>(static_cast<UINT_PTR>(strtoull(arguments, &end, 10)));
  const char* open = strchr(end, '"');
  const char* close = open != nullptr ? strchr(open + 1, '"') : nullptr;
  if (close == nullptr || size_t(close - open - 1) >= kPathSize) return 1;
  char program[kPathSize];
  memcpy(program, open + 1, size_t(close - open - 1));
  program[close - open - 1] = '\0';
  const char* name = strrchr(program, '\\');
  if (name == nullptr || !EqualIgnoringAsciiCase(name + 1, PROGRAM_FILE)) return 1;  // only ours
  (void)WaitForSingleObject(original, kWaitForOriginalMs);
  CloseHandle(original);
  (void)DeleteFileA(program);
  if (CutAtLastSeparator(program)) (void)RemoveDirectoryA(program);  // only when left empty
  return 0;
}
