// The program's entry: prepares the shared state, shows the install dialog, runs the plain message
// loop until the dialog is gone, then offers to launch the installed product. The instance,
// command line and show command are ignored; the exit code is always 1. Win32.
#include "resources/resource.h"
#include "setup/package_info.h"
#include "setup/setup_state.h"
#include "ui/install_dialog_win.h"
#include "ui/message_box_win.h"
#include "system/path_buffer.h"
#include "ui/program_texts.h"

namespace {

constexpr int kExitCode = 1;

// From here on DLLs load only from the system folder: the shell, COM and the folder browser load
// more DLLs of their own, and a DLL planted beside setup.exe (in a download folder, say) must not
// be one of them. Systems without the call keep their default search order.
void RestrictDllSearch() {
  using SetDefaultDllDirectoriesFn = BOOL(WINAPI*)(DWORD);
  FARPROC found = GetProcAddress(GetModuleHandleA("kernel32.dll"), "SetDefaultDllDirectories");
  if (found == nullptr) return;
  auto setSearch = reinterpret_cast<SetDefaultDllDirectoriesFn>(reinterpret_cast<void*>(found));
  (void)setSearch(LOAD_LIBRARY_SEARCH_SYSTEM32);  // best effort
}

// Clears the progress state and remembers the current directory as the start directory;
// Cancelled is left alone (zero at process start).
void ResetSetupState() {
  Setup.Installing = 0;
  Setup.FilesTotal = 0;
  Setup.FilesDone = 0;
  Setup.CurrentFile[0] = '\0';
  DWORD length = GetCurrentDirectoryA(kPathSize, Setup.StartDirectory);
  if (length == 0 || length >= kPathSize) Setup.StartDirectory[0] = '\0';  // did not fit
}

// The plain loop: no dialog-manager keyboard handling. Ends on WM_QUIT (or a failed retrieval).
void RunMessageLoop() {
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
}

// Starts the installed program with the install directory as its working directory. The path is
// quoted: unquoted, a path with spaces ("c:\program files\...") could start another program.
void LaunchProduct() {
  SetCurrentDirectoryA(Setup.InstallDirectory);
  char command[kMessageSize] = "\"";
  bool fits = AppendPath(command, kMessageSize, Setup.InstallDirectory) &&
              AppendPath(command, kMessageSize, Package.ProgramBaseName) &&
              AppendPath(command, kMessageSize, ".exe\"");
  if (fits) (void)WinExec(command, SW_SHOWNORMAL);  // a failed start is not reported
}

// The finish: the launch question unless the setup was cancelled or failed.
void FinishSetup() {
  if (!Setup.Cancelled && AskToLaunchProduct(Package.ProductName)) {
    LaunchProduct();
    return;
  }
  SetCurrentDirectoryA(Setup.StartDirectory);
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  RestrictDllSearch();
  ResetSetupState();
  HWND dialog =
      CreateDialogParamA(nullptr, MAKEINTRESOURCEA(IDD_INSTALL), nullptr, InstallDialogProc, 0);
  if (dialog == nullptr) {
    ReportDialogNotCreated();  // without a dialog no quit message would ever come
    return kExitCode;
  }
  Setup.DialogWindow = dialog;
  ShowWindow(dialog, SW_SHOW);
  UpdateWindow(dialog);
  RunMessageLoop();
  FinishSetup();
  return kExitCode;
}

// The process entry: the program links without the C runtime's start-up code, which it does not
// need (no static constructors, no command line, no stdio). The stack is realigned since i686
// Windows guarantees only 4-byte alignment at the entry.
extern "C" __attribute__((force_align_arg_pointer)) void WINAPI SetupEntry() {
  ExitProcess(
      static_cast<UINT>(WinMain(GetModuleHandleA(nullptr), nullptr, nullptr, SW_SHOWDEFAULT)));
}
