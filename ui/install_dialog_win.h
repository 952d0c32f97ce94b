// The install dialog: the setup program's only window, created modelessly from template 110.
#pragma once

#include "system/win32_api.h"

// Dialog procedure of IDD_INSTALL. TRUE for WM_INITDIALOG, WM_DESTROY and the commands IDOK,
// IDCANCEL and IDC_BROWSE; FALSE for everything else, which the default dialog processing takes.
INT_PTR CALLBACK InstallDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// Callback of the folder browser: selects the callback data (the default base directory) once
// the browser has started. Returns 0 for every message.
int CALLBACK BrowseCallbackProc(HWND browser, UINT message, LPARAM lParam, LPARAM data);
