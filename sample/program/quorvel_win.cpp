// quorvel.exe, the sample product's main program: a window that names the product and its
// version. With /uninstall it removes the installed product (uninstall_win.cpp). Win32.
#include <cstring>

#include "sample/program/product_names.h"
#include "sample/program/uninstall.h"
#include "system/win32_api.h"

static const char kWindowClass[] = "QuorvelaneMain";

// Paints the product's name and version centred in the client area.
static void PaintWindow(HWND window) {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(window, &paint);
  RECT client;
  GetClientRect(window, &client);
  SetBkMode(dc, TRANSPARENT);
  DrawTextA(dc, PRODUCT_TITLE, -1, &client, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  EndPaint(window, &paint);
}

static LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT:
      PaintWindow(window);
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

// Shows the main window and runs its message loop. Returns the exit code.
static int RunMainWindow(HINSTANCE instance, int showCommand) {
  WNDCLASSA windowClass = {};
  windowClass.lpfnWndProc = MainWindowProc;
  windowClass.hInstance = instance;
  windowClass.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(1));
  windowClass.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  windowClass.lpszClassName = kWindowClass;
  if (!RegisterClassA(&windowClass)) return 1;
  HWND window = CreateWindowA(kWindowClass, PRODUCT_TITLE, WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                              CW_USEDEFAULT, 360, 160, nullptr, nullptr, instance, nullptr);
  if (window == nullptr) return 1;
  ShowWindow(window, showCommand);
  UpdateWindow(window);
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  return 0;
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int showCommand) {
  const char* finish = strstr(commandLine, FINISH_SWITCH);
  if (finish != nullptr) return FinishUninstall(finish + strlen(FINISH_SWITCH));
  if (strstr(commandLine, UNINSTALL_SWITCH) != nullptr) {
    return RunUninstall(strstr(commandLine, QUIET_SWITCH) != nullptr);
  }
  return RunMainWindow(instance, showCommand);
}
