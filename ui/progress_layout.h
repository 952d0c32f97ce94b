// Geometry of the painted progress control and the shortening of the file name drawn above its
// bar. Portable: progress_paint_win.cpp applies the rectangles with GDI and measures text for
// ShortenToFit; the unit tests check them directly.
//
// Layout, in pixels of the control's client area (0, 0, W, H):
//   separator (before the run)  0, 0, W, H-2        etched edge on its bottom side only
//   bar frame (during the run)  0, H-18, W, H-8     sunken edge, 2 pixels all round
//   bar interior                2, H-16, W-2, H-10  interior width w = W-4
//   done part                   2, H-16, 2 + done*w/total, H-10
//   file name                   bottom-left at (4, H-20), at most w-8 = W-12 pixels wide
#pragma once

#include <cstdint>

#include "setup/setup_state.h"

struct PixelRect {
  int Left, Top, Right, Bottom;
};

struct ProgressLayout {
  PixelRect Separator;  // the etched line runs along its bottom
  PixelRect Frame;      // the sunken bar frame
  PixelRect Interior;   // inside the frame
  PixelRect Done;       // the filled part of the interior; empty when Right == Left
  int TextX, TextY;     // reference point of the file name (bottom-left)
  int TextLimit;        // widest the file name may be, in pixels
};

// Lays out a control of width x height pixels with done of total files written. The done part is
// interior left + done*w/total in unsigned 32-bit arithmetic (product first, truncating); with
// no total, or more done than the total, it is the whole interior.
ProgressLayout LayOutProgress(int width, int height, uint32_t done, uint32_t total);

// Width in pixels of the first length bytes of text, as the caller's font draws them.
using MeasureTextFn = int (*)(void* context, const char* text, int length);

// Room for the longest path and the "..." behind it.
constexpr int kShortenedTextSize = kPathSize + 3;

// Returns text itself when it is at most limit pixels wide (signed comparison). Otherwise
// returns buffer (kShortenedTextSize bytes) holding the longest beginning of text that fits with
// "..." behind it, never ending in a space before the "..."; "..." alone when nothing fits, even
// if "..." is wider than the limit. Bytes beyond the first kPathSize - 1 of a longer text are
// never kept.
const char* ShortenToFit(const char* text, int limit, char* buffer, MeasureTextFn measure,
                         void* context);
