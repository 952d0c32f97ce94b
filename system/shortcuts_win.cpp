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
  if (CopyPath(workingDirectory, kPathSize, target) && CutToFolder(workingDirectory)) {
    (void)link->SetWorkingDirectory(workingDirectory);  // "c:\x.exe" gives the root "c:\"
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
  // Saving over a link would write the link file into the file it points at.
  if (IsReparsePointAt(linkPath)) return E_ACCESSDENIED;
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

// Empties the product folder when it exists, otherwise creates it one level deep. True when the
// folder can take the links: false for a folder that is a link (its links would land, and its
// emptying would delete, in a folder elsewhere) and for one that cannot be created.
static bool PrepareProductFolder(const char* folder) {
  switch (EmptyDirectoryTree(folder, kKeepTreeRoot)) {
    case kTreeWalked:
      return true;
    case kTreeNotEntered:
      return CreateDirectoryA(folder, nullptr) != FALSE;
    default:
      return false;
  }
}

// Writes the links of the table in their order: program, desktop, help, uninstall; those in the
// product folder only when useFolder. folder ends in '\'; program is the full path of the program
// file.
static void CreateProductLinks(const char* folder, bool useFolder, const ShellFolders& shell,
                               const char* program) {
  char link[kPathSize];
  char target[kPathSize];
  if (useFolder && ComposeLinkPath(link, folder, Package.ProductName, ".lnk")) {
    (void)CreateShellLink(program, link, nullptr, nullptr, 0);
  }
  if (Package.CreateDesktopShortcut && shell.DesktopFound &&
      ComposeLinkPath(link, shell.Desktop, "\\", Package.ProductName) &&
      AppendPath(link, kPathSize, ".lnk")) {
    (void)CreateShellLink(program, link, nullptr, nullptr, 0);
  }
  if (useFolder && Package.CreateHelpShortcut &&
      ComposeLinkPath(link, folder, Package.HelpShortcutName, "") &&
      ComposeLinkPath(target, Setup.InstallDirectory, Package.HelpFileName, "")) {
    (void)CreateShellLink(target, link, nullptr, nullptr, 0);
  }
  if (useFolder && Package.CreateUninstall &&
      ComposeLinkPath(link, folder, "Uninstall ", Package.ProductName) &&
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
  if (haveFolder && haveProgram) {
    // A folder that cannot be used loses its links silently; the desktop link is still made.
    bool useFolder = PrepareProductFolder(folder) && AppendPath(folder, kPathSize, "\\");
    CreateProductLinks(folder, useFolder, shell, program);
  }
  CoUninitialize();
  return kShortcutsDone;
}
