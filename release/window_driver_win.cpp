// The window driver of scripts/release --verify and the Wine suites: acts on the real windows of
// a running setup.exe the way a person would (typing a destination, ticking the box, pressing
// buttons, answering boxes) and reads back what the windows show, link files and shell folders.
// One command per run:
//   driver wait-window CAPTION [SECONDS]   exit 0 once a visible top-level window has CAPTION
//   driver dialog-state                    the install dialog's caption, fields, position and size
//   driver set-destination TEXT            types TEXT into the destination field
//   driver set-desktop 0|1                 clears or ticks "Add icon to desktop"
//   driver press install|cancel|browse|close
//   driver activate [CAPTION]              brings the install dialog (or the window with
//                                          CAPTION) to the foreground, as a click on it would
//   driver box [SECONDS]                   waits for a message box; prints caption, place, text, buttons
//   driver answer yes|no|ok|cancel [SECONDS]  presses that button of the box or browser showing
//                                          and waits until it is gone
//   driver link PATH                       target, arguments, working directory, icon of a .lnk
//   driver shell-folder NAME               a per-user shell folder (Programs, Desktop)
// Prints key=value lines; texts have their line feeds written as "\n". Exit 1 on a timeout or
// a missing window, 2 on a usage error. Win32.
#define WIN32_LEAN_AND_MEAN
#include <windows.h>
#include <objbase.h>
#include <objidl.h>
#include <shlobj.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "resources/resource.h"

namespace {

constexpr int kDestinationId = IDC_DESTINATION;
constexpr int kDesktopIconId = IDC_DESKTOP_ICON;
constexpr int kBrowseId = IDC_BROWSE;
constexpr int kBoxTextId = 0xFFFF;

std::string WindowText(HWND window) {
  char text[1024] = "";
  GetWindowTextA(window, text, sizeof text);
  return text;
}

// The text of a control of another process: GetWindowTextA does not ask another process's edit
// control, WM_GETTEXT does.
std::string ControlText(HWND control) {
  char text[1024] = "";
  DWORD_PTR copied = 0;
  SendMessageTimeoutA(control, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text),
                      SMTO_ABORTIFHUNG, 5000, &copied);
  return text;
}

std::string ClassName(HWND window) {
  char name[256] = "";
  GetClassNameA(window, name, sizeof name);
  return name;
}

std::string Escaped(const std::string& text) {
  std::string out;
  for (char c : text)
    out += c == '\n' ? std::string("\\n") : c == '\r' ? std::string() : std::string(1, c);
  return out;
}

BOOL CALLBACK CollectDialog(HWND window, LPARAM list) {
  if (IsWindowVisible(window) && ClassName(window) == "#32770")
    reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
  return TRUE;
}

std::vector<HWND> TopLevelDialogs() {
  std::vector<HWND> found;
  EnumWindows(CollectDialog, reinterpret_cast<LPARAM>(&found));
  return found;
}

// The install dialog: the top-level dialog that holds the destination field.
HWND FindInstallDialog() {
  for (HWND dialog : TopLevelDialogs())
    if (GetDlgItem(dialog, kDestinationId) != nullptr) return dialog;
  return nullptr;
}

// A box (or the folder browser): a top-level dialog without the destination field that has a
// child of id; a message box's text has id 0xFFFF.
HWND FindBoxWith(int id) {
  for (HWND dialog : TopLevelDialogs())
    if (GetDlgItem(dialog, kDestinationId) == nullptr && GetDlgItem(dialog, id) != nullptr)
      return dialog;
  return nullptr;
}

// Polls find() every 100 ms for up to seconds.
template <typename Find>
HWND WaitFor(Find find, double seconds) {
  for (int waited = 0; waited <= seconds * 1000; waited += 100) {
    HWND window = find();
    if (window != nullptr) return window;
    Sleep(100);
  }
  return nullptr;
}

HWND FindCaption(const std::string& caption) {
  for (HWND dialog : TopLevelDialogs())
    if (WindowText(dialog) == caption) return dialog;
  HWND any = FindWindowA(nullptr, caption.c_str());
  return any != nullptr && IsWindowVisible(any) ? any : nullptr;
}

int DialogState() {
  HWND dialog = FindInstallDialog();
  if (dialog == nullptr) return 1;
  RECT screen, own;
  GetClientRect(GetDesktopWindow(), &screen);
  GetWindowRect(dialog, &own);
  int width = own.right - own.left, height = own.bottom - own.top;
  std::printf("caption=%s\n", WindowText(dialog).c_str());
  std::printf("destination=%s\n", ControlText(GetDlgItem(dialog, kDestinationId)).c_str());
  std::printf("desktop=%u\n", IsDlgButtonChecked(dialog, kDesktopIconId));
  std::printf("position=%ld,%ld\n", own.left, own.top);
  std::printf("size=%dx%d\n", width, height);
  std::printf("centre=%d,%d\n", static_cast<int>(screen.right - width) / 2,
              static_cast<int>(screen.bottom - height) / 2);
  return 0;
}

// Presses a button the way a click does: the button tells its dialog through WM_COMMAND.
// Posted, so that a handler that runs a long time or opens a box does not block the driver.
void Click(HWND dialog, int id) {
  HWND button = GetDlgItem(dialog, id);
  PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(button));
}

int Press(const std::string& what) {
  HWND dialog = FindInstallDialog();
  if (dialog == nullptr) return 1;
  if (what == "install")
    Click(dialog, IDOK);
  else if (what == "cancel")
    Click(dialog, IDCANCEL);
  else if (what == "browse")
    Click(dialog, kBrowseId);
  else if (what == "close")
    PostMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
  else
    return 2;
  return 0;
}

std::string ButtonLabel(HWND button) {
  std::string label;
  for (char c : WindowText(button))
    if (c != '&') label += c;
  return label;
}

// A box that is shown and has its text: laid out and ready for a person to read and answer.
HWND ReadyBoxWith(int id) {
  HWND box = FindBoxWith(id);
  return box != nullptr && IsWindowVisible(box) && IsWindowVisible(GetDlgItem(box, id)) ? box
                                                                                        : nullptr;
}

int ShowBox(double seconds) {
  HWND box = WaitFor([] { return ReadyBoxWith(kBoxTextId); }, seconds);
  if (box == nullptr) return 1;
  RECT rect;
  GetWindowRect(box, &rect);
  std::printf("caption=%s\n", WindowText(box).c_str());
  std::printf("position=%ld,%ld\n", rect.left, rect.top);
  std::printf("size=%ldx%ld\n", rect.right - rect.left, rect.bottom - rect.top);
  std::printf("text=%s\n", Escaped(ControlText(GetDlgItem(box, kBoxTextId))).c_str());
  std::string buttons;
  for (HWND child = GetWindow(box, GW_CHILD); child != nullptr;
       child = GetWindow(child, GW_HWNDNEXT))
    if (ClassName(child) == "Button" && IsWindowVisible(child))
      buttons += (buttons.empty() ? "" : ",") + ButtonLabel(child);
  std::printf("buttons=%s\n", buttons.c_str());
  return 0;
}

int Answer(const std::string& answer, double seconds) {
  int id = answer == "yes"      ? IDYES
           : answer == "no"     ? IDNO
           : answer == "ok"     ? IDOK
           : answer == "cancel" ? IDCANCEL
                                : 0;
  if (id == 0) return 2;
  HWND box = WaitFor([id] { return ReadyBoxWith(id); }, seconds);
  if (box == nullptr) return 1;
  Click(box, id);
  // Done once the box is gone and its owner has gone on.
  return WaitFor([box] { return IsWindow(box) ? nullptr : GetDesktopWindow(); }, seconds) ? 0 : 1;
}

// Prints a link's target, arguments, working directory and icon, read back through IShellLinkA
// (a field that cannot be read prints empty). Returns 1 when the link cannot be loaded.
int ShowLink(const char* path) {
  WCHAR wide[MAX_PATH];
  MultiByteToWideChar(CP_ACP, 0, path, -1, wide, MAX_PATH);
  CoInitialize(nullptr);
  IShellLinkA* link = nullptr;
  IPersistFile* file = nullptr;
  bool loaded =
      SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                 reinterpret_cast<void**>(&link))) &&
      SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file))) &&
      SUCCEEDED(file->Load(wide, STGM_READ));
  if (loaded) {
    char text[1024];
    auto show = [&](const char* name, HRESULT read) {
      std::printf("%s=%s\n", name, SUCCEEDED(read) ? text : "");
    };
    show("target", link->GetPath(text, sizeof text, nullptr, SLGP_RAWPATH));
    show("arguments", link->GetArguments(text, sizeof text));
    show("workdir", link->GetWorkingDirectory(text, sizeof text));
    int index = 0;
    HRESULT read = link->GetIconLocation(text, sizeof text, &index);
    std::printf("icon=%s,%d\n", SUCCEEDED(read) ? text : "", index);
  }
  if (file != nullptr) file->Release();
  if (link != nullptr) link->Release();
  CoUninitialize();
  return loaded ? 0 : 1;
}

int ShowShellFolder(const char* name) {
  char data[MAX_PATH] = "";
  DWORD size = sizeof data;
  if (RegGetValueA(HKEY_CURRENT_USER,
                   "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders", name,
                   RRF_RT_REG_SZ, nullptr, data, &size) != ERROR_SUCCESS)
    return 1;
  std::printf("%s\n", data);
  return 0;
}

double Seconds(int argc, char** argv, int index) {
  return argc > index ? std::atof(argv[index]) : 20.0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return 2;
  std::string command = argv[1];
  if (command == "wait-window" && argc >= 3) {
    std::string caption = argv[2];
    return WaitFor([&] { return FindCaption(caption); }, Seconds(argc, argv, 3)) ? 0 : 1;
  }
  if (command == "dialog-state") return DialogState();
  if (command == "set-destination" && argc >= 3) {
    HWND dialog = FindInstallDialog();
    if (dialog == nullptr) return 1;
    SendMessageA(GetDlgItem(dialog, kDestinationId), WM_SETTEXT, 0,
                 reinterpret_cast<LPARAM>(argv[2]));
    return 0;
  }
  if (command == "set-desktop" && argc >= 3) {
    HWND dialog = FindInstallDialog();
    if (dialog == nullptr) return 1;
    CheckDlgButton(dialog, kDesktopIconId, std::atoi(argv[2]) ? BST_CHECKED : BST_UNCHECKED);
    return 0;
  }
  if (command == "press" && argc >= 3) return Press(argv[2]);
  if (command == "activate") {
    HWND dialog = argc >= 3 ? FindCaption(argv[2]) : FindInstallDialog();
    if (dialog == nullptr) return 1;
    SetForegroundWindow(dialog);
    // Wine activates a window only on X focus, which no window manager hands out here: the
    // frame is drawn as active the way the activation would.
    SendMessageA(dialog, WM_NCACTIVATE, TRUE, 0);
    return 0;
  }
  if (command == "box") return ShowBox(Seconds(argc, argv, 2));
  if (command == "answer" && argc >= 3) return Answer(argv[2], Seconds(argc, argv, 3));
  if (command == "link" && argc >= 3) return ShowLink(argv[2]);
  if (command == "shell-folder" && argc >= 3) return ShowShellFolder(argv[2]);
  return 2;
}
