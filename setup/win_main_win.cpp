// Placeholder program entry until the install dialog's entry is merged. Win32.
#include "system/win32_api.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) { return 1; }
