// The progress control painted into a memory bitmap, read back pixel by pixel.
#include "ui/progress_paint_win.h"

#include <gtest/gtest.h>

#include "setup/setup_state.h"
#include "system/path_buffer.h"

namespace {

constexpr int kWidth = 104;  // interior 100 pixels wide
constexpr int kHeight = 30;

// A 32-bit top-down DIB selected into a memory DC.
class Canvas {
 public:
  Canvas() {
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = kWidth;
    info.bmiHeader.biHeight = -kHeight;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    dc_ = CreateCompatibleDC(nullptr);
    bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits_),
                               nullptr, 0);
    kept_ = SelectObject(dc_, bitmap_);
  }
  ~Canvas() {
    SelectObject(dc_, kept_);
    DeleteObject(bitmap_);
    DeleteDC(dc_);
  }
  HDC Dc() const { return dc_; }
  // The pixel as a COLORREF (0x00BBGGRR), comparable with GetSysColor.
  COLORREF At(int x, int y) const {
    GdiFlush();
    DWORD p = bits_[y * kWidth + x];
    return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
  }
  int CountInRow(int y, COLORREF colour) const {
    int count = 0;
    for (int x = 0; x < kWidth; ++x) count += At(x, y) == colour;
    return count;
  }
  // Rightmost column in rows [top, bottom) whose pixel differs from the background, or -1.
  int RightmostInk(int top, int bottom, COLORREF background) const {
    int right = -1;
    for (int y = top; y < bottom; ++y)
      for (int x = 0; x < kWidth; ++x)
        if (At(x, y) != background && x > right) right = x;
    return right;
  }

 private:
  HDC dc_;
  HBITMAP bitmap_;
  HGDIOBJ kept_;
  DWORD* bits_ = nullptr;
};

void Paint(const Canvas& canvas, int installing, uint32_t done, const char* file) {
  Setup.Installing = installing;
  Setup.FilesTotal = 77;
  Setup.FilesDone = done;
  CopyPath(Setup.CurrentFile, kPathSize, file);
  RECT client = {0, 0, kWidth, kHeight};
  PaintProgress(canvas.Dc(), client);
}

const COLORREF kFace = GetSysColor(COLOR_BTNFACE);
const COLORREF kHighlight = GetSysColor(COLOR_HIGHLIGHT);
constexpr int kInteriorRow = kHeight - 13;  // inside 2, H-16, W-2, H-10

TEST(ProgressPaint, BeforeTheRunOnlyTheEtchedLineShows) {
  Canvas canvas;
  Paint(canvas, 0, 0, "c:\\program files\\Quorvelane\\quorvel.exe");
  EXPECT_EQ(canvas.CountInRow(kHeight - 4, kFace), 0);  // the etched line's two rows
  EXPECT_EQ(canvas.CountInRow(kHeight - 3, kFace), 0);
  for (int y : {0, kHeight - 20, kInteriorRow, kHeight - 5, kHeight - 1})
    EXPECT_EQ(canvas.CountInRow(y, kFace), kWidth) << "row " << y;
}

TEST(ProgressPaint, BarFillsInProportionToTheFilesDone) {
  const struct {
    uint32_t Done;
    int Filled;
  } rows[] = {{0, 0}, {1, 1}, {38, 49}, {77, 100}};
  for (const auto& row : rows) {
    Canvas canvas;
    Paint(canvas, 1, row.Done, "");
    EXPECT_EQ(canvas.CountInRow(kInteriorRow, kHighlight), row.Filled) << row.Done;
    if (row.Filled > 0) {
      EXPECT_EQ(canvas.At(2, kInteriorRow), kHighlight);
    }
    EXPECT_NE(canvas.At(0, kInteriorRow), kFace);  // the sunken frame
    EXPECT_EQ(canvas.CountInRow(kHeight - 4, kFace), kWidth);  // no etched line any more
  }
}

TEST(ProgressPaint, FileNameIsDrawnShortenedWithinTheLimitAndNothingForNone) {
  const struct {
    const char* File;
    bool Ink;
  } rows[] = {{"", false}, {"c:\\program files\\Quorvelane\\templates\\letters\\a long name.txt", true}};
  for (const auto& row : rows) {
    Canvas canvas;
    Paint(canvas, 1, 10, row.File);
    int right = canvas.RightmostInk(0, kHeight - 18, kFace);
    EXPECT_EQ(right >= 0, row.Ink) << row.File;
    EXPECT_LT(right, 4 + (kWidth - 12)) << row.File;
  }
}

}  // namespace
