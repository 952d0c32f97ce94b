// Bounded byte-string helpers for the setup window's path buffers. Portable.
#include "ui/path_text.h"

int TextLength(const char* text) {
  int length = 0;
  while (text[length] != '\0') ++length;
  return length;
}

bool CopyText(char* dst, int size, const char* src) {
  int length = TextLength(src);
  if (length >= size) return false;
  for (int i = 0; i <= length; ++i) dst[i] = src[i];
  return true;
}

bool AppendText(char* dst, int size, const char* src) {
  int start = TextLength(dst);
  if (start >= size) return false;  // dst is not a valid text of this buffer
  return CopyText(dst + start, size - start, src);
}

bool EndsWithBackslash(const char* text) {
  int length = TextLength(text);
  return length > 0 && text[length - 1] == '\\';
}
