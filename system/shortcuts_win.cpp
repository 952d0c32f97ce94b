// Shell links through the shell's link object (IShellLinkA) and its IPersistFile. Win32 + COM.
// Every link is best effort: a link that cannot be written is missing, without a message.
#include "system/shortcuts.h"

#include <objbase.h>
#include <objidl.h>
#include <shlobj.h>

#include "setup/package_info.h"
#include "setup/setup_state.h"
#include "system/directory_tree.h"
#include "system/path_buffer.h"
#include "system/shell_folders.h"
#include "system/win32_api.h"

// Sets the link's properties on a fresh link object and saves it under linkPath.
static HRESULT SaveShellLink(IShellLinkA* link, const char* target, const char* linkPath,
                             const char* arguments, const char* iconPath, int iconIndex) {
  char workingDirectory[kPathSize];
  (void)link->SetPath(target);  // property setters: results not acted on
  if (CopyPath(workingDirectory, kPathSize, target) && CutAtLastSeparator(workingDirectory)) {
    (void)link->SetWorkingDirectory(workingDirectory);  // "c:\x.exe" gives the bare "c:"
  }
  if (arguments != nullptr) (void)link->SetArguments(arguments);
  if (iconPath != nullptr) (void)link->SetIconLocation(iconPath, iconIndex);
  IPersistFile* file = nullptr;
  HRESULT hr = link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file));
  if (SUCCEEDED(hr)) {
    WCHAR widePath[kPathSize];
    if (MultiByteToWideChar(CP_ACP, 0, linkPath, -1, widePath, kPathSize) > 0) {
      hr = file->Save(widePath, TRUE);
    } else {
      hr = E_INVALIDARG;  // the path does not fit in kPathSize wide characters
    }
    file->Release();
  }
  return hr;
}

long CreateShellLink(const char* target, const char* linkPath, const char* arguments,
                     const char* iconPath, int iconIndex) {
  IShellLinkA* link = nullptr;
  HRESULT hr = CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                reinterpret_cast<void**>(&link));
  if (SUCCEEDED(hr)) {
    hr = SaveShellLink(link, target, linkPath, arguments, iconPath, iconIndex);
    link->Release();
  }
  return hr;
}

// Composes directory + name1 + name2 into path; false when it would not fit (the link is then
// left out rather than written under a cut name).
static bool ComposeLinkPath(char* path, const char* directory, const char* name1,
                            const char* name2) {
  return CopyPath(path, kPathSize, directory) && AppendPath(path, kPathSize, name1) &&
         AppendPath(path, kPathSize, name2);
}

// Empties the product folder when it exists (the test moves the current directory, as every
// existence test of the program does), otherwise creates it one level deep.
static void PrepareProductFolder(const char* folder) {
  if (SetCurrentDirectoryA(folder)) {
    EmptyDirectoryTree(folder, kKeepTreeRoot);
  } else {
    (void)CreateDirectoryA(folder, nullptr);  // best effort: its links then fail silently
  }
}

// Writes the links of the table in their order: program, desktop, help, uninstall. folder ends
// in '\'; program is the full path of the program file.
static void CreateProductLinks(const char* folder, const ShellFolders& shell, const char* program) {
  char link[kPathSize];
  char target[kPathSize];
  if (ComposeLinkPath(link, folder, Package.ProductName, ".lnk")) {
    (void)CreateShellLink(program, link, nullptr, nullptr, 0);
  }
  if (Package.CreateDesktopShortcut && shell.DesktopFound &&
      ComposeLinkPath(link, shell.Desktop, "\\", Package.ProductName) &&
      AppendPath(link, kPathSize, ".lnk")) {
    (void)CreateShellLink(program, link, nullptr, nullptr, 0);
  }
  if (Package.CreateHelpShortcut && ComposeLinkPath(link, folder, Package.HelpShortcutName, "") &&
      ComposeLinkPath(target, Setup.InstallDirectory, Package.HelpFileName, "")) {
    (void)CreateShellLink(target, link, nullptr, nullptr, 0);
  }
  if (Package.CreateUninstall && ComposeLinkPath(link, folder, "Uninstall ", Package.ProductName) &&
      AppendPath(link, kPathSize, ".lnk")) {
    (void)CreateShellLink(program, link, Package.UninstallArgument, program,
                          Package.UninstallIconIndex);
  }
}

ShortcutsResult CreateShortcuts() {
  ShellFolders shell;
  LookupShellFolders(shell);
  if (!shell.ProgramsFound) return kShortcutsNoProgramsFolder;
  (void)CoInitialize(nullptr);  // result not acted on; paired with CoUninitialize below
  char folder[kPathSize];
  char program[kPathSize];
  bool haveFolder = ComposeLinkPath(folder, shell.Programs, "\\", Package.ProductName);
  bool haveProgram =
      ComposeLinkPath(program, Setup.InstallDirectory, Package.ProgramBaseName, ".exe");
  if (haveFolder) {
    PrepareProductFolder(folder);
    haveFolder = AppendPath(folder, kPathSize, "\\");
  }
  if (haveFolder && haveProgram) CreateProductLinks(folder, shell, program);
  CoUninitialize();
  return kShortcutsDone;
}
