// The painted progress control: applies the geometry of progress_layout with GDI. Only system
// brushes and the stock GUI font are used, so nothing is created and nothing needs deleting. Win32.
#include "ui/progress_paint_win.h"

#include "setup/setup_state.h"
#include <cstring>

#include "ui/progress_layout.h"

namespace {

RECT ToRect(const PixelRect& r) { return RECT{r.Left, r.Top, r.Right, r.Bottom}; }

// MeasureTextFn over a device context: the width of the bytes in its selected font.
int MeasureWithDc(void* context, const char* text, int length) {
  SIZE size = {0, 0};
  (void)GetTextExtentPoint32A(static_cast<HDC>(context), text, length, &size);
  return size.cx;
}

// The bar, its done part and the current file's name above it.
void PaintBar(HDC dc, const ProgressLayout& layout) {
  RECT frame = ToRect(layout.Frame);
  DrawEdge(dc, &frame, EDGE_SUNKEN, BF_RECT);
  if (layout.Done.Right > layout.Done.Left) {
    RECT done = ToRect(layout.Done);
    FillRect(dc, &done, GetSysColorBrush(COLOR_HIGHLIGHT));
  }
  HGDIOBJ keptFont = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
  SetBkMode(dc, TRANSPARENT);
  SetTextAlign(dc, TA_BOTTOM);
  DrawTextEllipsis(dc, layout.TextX, layout.TextY, Setup.CurrentFile, layout.TextLimit);
  SelectObject(dc, keptFont);
}

}  // namespace

void PaintProgress(HDC dc, const RECT& client) {
  FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
  ProgressLayout layout = LayOutProgress(client.right - client.left, client.bottom - client.top,
                                         Setup.FilesDone, Setup.FilesTotal);
  if (!Setup.Installing) {
    RECT separator = ToRect(layout.Separator);
    DrawEdge(dc, &separator, EDGE_ETCHED, BF_BOTTOM);
    return;
  }
  PaintBar(dc, layout);
}

LRESULT CALLBACK ProgressWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT: {
      PAINTSTRUCT paint;
      HDC dc = BeginPaint(window, &paint);
      RECT client;
      GetClientRect(window, &client);
      PaintProgress(dc, client);
      EndPaint(window, &paint);
      return 0;
    }
    default:
      // The static control's own procedure was discarded on purpose: it must not paint too.
      return DefWindowProcA(window, message, wParam, lParam);
  }
}

void DrawTextEllipsis(HDC dc, int x, int y, const char* text, int limit) {
  char buffer[kShortenedTextSize];
  const char* shown = ShortenToFit(text, limit, buffer, MeasureWithDc, dc);
  TextOutA(dc, x, y, shown, static_cast<int>(strlen(shown)));
}
