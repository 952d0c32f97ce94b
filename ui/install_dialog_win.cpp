// The install dialog: proposes the destination, browses for another, asks about the desktop icon,
// checks the destination (check_destination.cpp) and runs the install inside its Install
// handler. Reads PackageInfo; writes Package.CreateDesktopShortcut and the dialog's fields of
// SetupState. Win32; the decisions and texts it applies are portable.
#include "ui/install_dialog_win.h"

#include <shlobj.h>

#include "resources/resource.h"
#include "setup/install_run.h"
#include "setup/package_info.h"
#include "setup/setup_state.h"
#include "system/path_buffer.h"
#include "system/previous_install.h"
#include "ui/check_destination.h"
#include "ui/destination_text.h"
#include "ui/message_box_win.h"
#include "ui/progress_paint_win.h"
#include "ui/program_texts.h"

namespace {

// Centres the dialog on the whole screen (not the work area), keeping its size, without repaint.
void CentreOnScreen(HWND dialog) {
  RECT screen, own;
  GetClientRect(GetDesktopWindow(), &screen);
  GetWindowRect(dialog, &own);
  int width = own.right - own.left;
  int height = own.bottom - own.top;
  MoveWindow(dialog, (screen.right - width) / 2, (screen.bottom - height) / 2, width, height,
             FALSE);
}

// Puts base + "\" + folder into the destination field.
void ShowDefaultDestination(HWND dialog) {
  char text[kPathSize];
  if (ComposeDefaultDestination(text, kPathSize, Package.DefaultBaseDirectory,
                                Package.DefaultFolderName))
    SetDlgItemTextA(dialog, IDC_DESTINATION, text);
}

// Centres the dialog, sets its caption and defaults, and hands the progress control to
// ProgressWndProc. Returns TRUE so that the focus goes to the first tab stop.
BOOL OnInitDialog(HWND dialog) {
  CentreOnScreen(dialog);
  char caption[kPathSize] = CAPTION_PREFIX;
  (void)AppendPath(caption, kPathSize, Package.Title);  // the compiled-in title fits
  SetWindowTextA(dialog, caption);
  ShowDefaultDestination(dialog);
  CheckDlgButton(dialog, IDC_DESKTOP_ICON, BST_CHECKED);
  HWND progress = GetDlgItem(dialog, IDC_PROGRESS);
  Setup.ProgressWindow = progress;
  // The static control's procedure is dropped: ProgressWndProc does all of its painting.
  SetWindowLongPtrA(progress, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ProgressWndProc));
  return TRUE;
}

// Frees an item list of the folder browser through the shell's task allocator, if there is one.
void FreeItemList(LPITEMIDLIST list) {
  IMalloc* allocator = nullptr;
  if (SHGetMalloc(&allocator) == S_OK && allocator != nullptr) {
    allocator->Free(list);
    allocator->Release();
  }
}

// Lets the user pick a folder in the shell's browser, which opens at the default base directory;
// the folder with the product's folder name behind it becomes the destination. A cancelled browse
// changes nothing; a path with no room for the folder name is refused with a warning.
void OnBrowseClicked(HWND dialog) {
  char title[kMessageSize] = BROWSE_TITLE_PREFIX;
  (void)AppendPath(title, kMessageSize, Package.ProductName);  // best effort: a title only
  (void)AppendPath(title, kMessageSize, BROWSE_TITLE_SUFFIX);
  char path[kPathSize] = "";
  BROWSEINFOA browse = {};
  browse.hwndOwner = dialog;
  browse.pszDisplayName = path;
  browse.lpszTitle = title;
  browse.ulFlags = BIF_RETURNONLYFSDIRS;
  browse.lpfn = BrowseCallbackProc;
  browse.lParam = reinterpret_cast<LPARAM>(Package.DefaultBaseDirectory);
  LPITEMIDLIST list = SHBrowseForFolderA(&browse);
  if (list == nullptr) return;  // cancelled: nothing changes
  (void)SHGetPathFromIDListA(list, path);
  FreeItemList(list);
  if (!ComposeBrowsedDestination(path, kPathSize, Package.DefaultFolderName)) {
    WarnPathTooLong(dialog);
    return;
  }
  SetDlgItemTextA(dialog, IDC_DESTINATION, path);
}

// DestinationOps over Win32.
bool EnterDirectory(const char* path) { return SetCurrentDirectoryA(path) != FALSE; }
bool RemoveEmptyDirectory(const char* path) { return RemoveDirectoryA(path) != FALSE; }
UserAnswer AskQuestion(void* owner, DestinationQuestion question) {
  return AskDestinationQuestion(static_cast<HWND>(owner), question);
}

// The busy state, the install run with the wait cursor, its result box; then the dialog ends.
void RunInstallFromDialog(HWND dialog) {
  EnableWindow(GetDlgItem(dialog, IDOK), FALSE);
  ShowWindow(GetDlgItem(dialog, IDC_DESKTOP_ICON), SW_HIDE);
  ShowWindow(GetDlgItem(dialog, IDC_BROWSE), SW_HIDE);
  HCURSOR kept = SetCursor(LoadCursorA(nullptr, IDC_WAIT));
  int result = RunInstall();
  SetCursor(kept != nullptr ? kept : LoadCursorA(nullptr, IDC_ARROW));
  ReportInstallResult(static_cast<HWND>(Setup.DialogWindow), result);
  DestroyWindow(dialog);
}

// What the destination field held when Install was pressed.
enum class FieldRead {
  NoFolder,  // empty or backslashes only: the default goes back into the field
  TooLong,   // refused with a warning
  Ready,     // InstallDirectory holds it as a full path without its trailing '\'
};

// Makes path (a kPathSize buffer) a full path: the extractor moves the current directory, so a
// relative destination would not stay where it pointed. A relative one is taken from the start
// directory, not from wherever an earlier check left the current directory. False when the full
// path does not fit.
bool MakeFullPath(char* path) {
  (void)SetCurrentDirectoryA(Setup.StartDirectory);  // best effort: it was current at start
  char full[kPathSize];
  DWORD length = GetFullPathNameA(path, kPathSize, full, nullptr);
  return length > 0 && length < kPathSize && CopyPath(path, kPathSize, full);
}

// Reads the destination field into InstallDirectory, and the desktop box into
// CreateDesktopShortcut (on every press). The full path is taken of the text as typed, and only
// then is a trailing '\' dropped: "C:" would be the current folder of drive C, not its root. Too
// long means the text, or its full path, does not fit the buffer with the '\' that the install
// appends, or some file of the product would not fit below it.
FieldRead ReadDestination(HWND dialog) {
  int typed = GetWindowTextLengthA(GetDlgItem(dialog, IDC_DESTINATION));
  GetDlgItemTextA(dialog, IDC_DESTINATION, Setup.InstallDirectory, kPathSize);
  Package.CreateDesktopShortcut = IsDlgButtonChecked(dialog, IDC_DESKTOP_ICON) == BST_CHECKED;
  if (NamesNoFolder(Setup.InstallDirectory)) return FieldRead::NoFolder;
  if (typed < kPathSize && MakeFullPath(Setup.InstallDirectory)) {
    DropTrailingBackslash(Setup.InstallDirectory);
    if (CanTakeTrailingBackslash(Setup.InstallDirectory, kPathSize) &&
        PayloadFitsBelow(Setup.InstallDirectory))
      return FieldRead::Ready;
  }
  WarnPathTooLong(dialog);
  return FieldRead::TooLong;
}

// Reads and checks the destination, asks what the checks call for, creates the directory and
// runs the install; the dialog stays for an empty or refused destination and for Stay.
void OnInstallClicked(HWND dialog) {
  switch (ReadDestination(dialog)) {
    case FieldRead::NoFolder:
      ShowDefaultDestination(dialog);
      return;
    case FieldRead::TooLong:
      return;
    case FieldRead::Ready:
      break;
  }
  DestinationOps ops = {dialog,
                        Setup.StartDirectory,
                        EnterDirectory,
                        RemoveEmptyDirectory,
                        DetectPreviousInstall,
                        RemoveLegacyVersion,
                        AskQuestion};
  switch (CheckDestination(Setup.InstallDirectory, ops)) {
    case DestinationDecision::Stay:
      return;
    case DestinationDecision::Abort:
      Setup.Cancelled = 1;
      DestroyWindow(dialog);
      return;
    case DestinationDecision::Proceed:
      break;
  }
  // Best effort: an existing directory is fine, a missing parent shows up as a failed extraction.
  (void)CreateDirectoryA(Setup.InstallDirectory, nullptr);
  (void)AppendSeparator(Setup.InstallDirectory, kPathSize);  // room checked on reading
  RunInstallFromDialog(dialog);
}

void OnCancelClicked(HWND dialog) {
  Setup.Cancelled = 1;
  DestroyWindow(dialog);
}

// Commands are told apart by the control id alone; the notification code is not looked at.
BOOL OnCommand(HWND dialog, int id) {
  switch (id) {
    case IDOK:
      OnInstallClicked(dialog);
      return TRUE;
    case IDCANCEL:  // also the close box and the system menu's Close
      OnCancelClicked(dialog);
      return TRUE;
    case IDC_BROWSE:
      OnBrowseClicked(dialog);
      return TRUE;
    default:
      return FALSE;
  }
}

}  // namespace

INT_PTR CALLBACK InstallDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG:
      return OnInitDialog(dialog);
    case WM_COMMAND:
      return OnCommand(dialog, LOWORD(wParam));
    case WM_DESTROY:
      PostQuitMessage(0);
      return TRUE;
    default:
      return FALSE;
  }
}

int CALLBACK BrowseCallbackProc(HWND browser, UINT message, LPARAM, LPARAM data) {
  // Posted, not sent: the browser is still setting itself up when it calls back.
  if (message == BFFM_INITIALIZED) PostMessageA(browser, BFFM_SETSELECTIONA, TRUE, data);
  return 0;
}
