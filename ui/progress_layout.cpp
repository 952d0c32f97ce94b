// Geometry of the painted progress control and the shortening of its file name. Portable.
#include "ui/progress_layout.h"

#include <cstring>

namespace {

constexpr int kSeparatorLift = 2;   // the etched line sits this far above the bottom
constexpr int kFrameBottomGap = 8;  // bar frame bottom above the control's bottom
constexpr int kFrameHeight = 10;    // sunken frame, border included
constexpr int kFrameBorder = 2;     // width of a sunken edge
constexpr int kTextIndent = 4;      // file name's left, and its bottom above the interior's top
constexpr int kTextMargin = 8;      // the file name stays this much narrower than the interior

// Right edge of the done part of an interior [left, right).
int DoneRight(const PixelRect& interior, uint32_t done, uint32_t total) {
  if (interior.Right <= interior.Left) return interior.Left;  // a control too small for a bar
  if (total == 0 || done > total) return interior.Right;
  uint32_t width = static_cast<uint32_t>(interior.Right - interior.Left);
  return interior.Left + static_cast<int>(done * width / total);
}

}  // namespace

ProgressLayout LayOutProgress(int width, int height, uint32_t done, uint32_t total) {
  ProgressLayout layout;
  layout.Separator = {0, 0, width, height - kSeparatorLift};
  int frameBottom = height - kFrameBottomGap;
  layout.Frame = {0, frameBottom - kFrameHeight, width, frameBottom};
  layout.Interior = {layout.Frame.Left + kFrameBorder, layout.Frame.Top + kFrameBorder,
                     layout.Frame.Right - kFrameBorder, layout.Frame.Bottom - kFrameBorder};
  layout.Done = layout.Interior;
  layout.Done.Right = DoneRight(layout.Interior, done, total);
  layout.TextX = kTextIndent;
  layout.TextY = layout.Interior.Top - kTextIndent;
  layout.TextLimit = (layout.Interior.Right - layout.Interior.Left) - kTextMargin;
  return layout;
}

const char* ShortenToFit(const char* text, int limit, char* buffer, MeasureTextFn measure,
                         void* context) {
  int length = static_cast<int>(strlen(text));
  // An empty text has nothing to shorten, whatever the limit.
  if (measure(context, text, length) <= limit || length == 0) return text;

  // Only as much of the text as the buffer can hold takes part; a path never has more.
  int kept = length < kPathSize ? length : kPathSize;
  for (int i = 0; i < kept; ++i) buffer[i] = text[i];
  int width;
  do {
    --kept;
    while (kept > 0 && buffer[kept - 1] == ' ') --kept;
    buffer[kept] = '.';
    buffer[kept + 1] = '.';
    buffer[kept + 2] = '.';
    buffer[kept + 3] = '\0';
    width = measure(context, buffer, kept + 3);
  } while (width > limit && kept > 0);
  return buffer;
}
