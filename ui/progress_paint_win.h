// The painted progress control of the install dialog.
#pragma once

#include "system/win32_api.h"

// Window procedure that replaces the static control's: paints on WM_PAINT, hands every other
// message to DefWindowProcA.
LRESULT CALLBACK ProgressWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Paints the control's whole client rectangle into dc from the shared setup state: the etched
// line before the run, the bar and the current file's name during it.
void PaintProgress(HDC dc, const RECT& client);

// Draws text at (x, y) with dc's current font, alignment and background mode, shortened with
// "..." to at most limit pixels.
void DrawTextEllipsis(HDC dc, int x, int y, const char* text, int limit);
