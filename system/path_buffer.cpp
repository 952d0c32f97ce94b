// Bounded path copying for the system code. Portable; plain loops, no library state.
#include "system/path_buffer.h"

#include <cstring>

bool CopyPath(char* buffer, size_t size, const char* text) {
  if (size == 0) return false;
  buffer[0] = '\0';
  return AppendPath(buffer, size, text);
}

bool AppendPath(char* buffer, size_t size, const char* text) {
  size_t used = strlen(buffer);
  size_t added = strlen(text);
  if (used + added + 1 > size) return false;  // the terminator must fit too
  memcpy(buffer + used, text, added + 1);
  return true;
}

bool AppendSeparator(char* buffer, size_t size) {
  size_t used = strlen(buffer);
  if (used > 0 && buffer[used - 1] == '\\') return true;
  return AppendPath(buffer, size, "\\");
}

bool CutAtLastSeparator(char* buffer) {
  char* last = strrchr(buffer, '\\');
  if (last == nullptr) return false;
  *last = '\0';
  return true;
}

bool IsDriveRootSeparator(const char* path, const char* separator) {
  return separator == path + 2 && path[1] == ':';
}

bool CutToFolder(char* buffer) {
  char* last = strrchr(buffer, '\\');
  if (last == nullptr) return false;
  last[IsDriveRootSeparator(buffer, last) ? 1 : 0] = '\0';
  return true;
}

static char LowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c; }

bool EqualIgnoringAsciiCase(const char* a, const char* b) {
  for (; *a != '\0' && LowerAscii(*a) == LowerAscii(*b); ++a, ++b) {
  }
  return LowerAscii(*a) == LowerAscii(*b);
}

bool IsFullPath(const char* text) {
  char letter = LowerAscii(text[0]);
  if (letter >= 'a' && letter <= 'z') return text[1] == ':' && text[2] == '\\';
  // A network path needs a server name, which "\\" alone and "\\\x" lack.
  return text[0] == '\\' && text[1] == '\\' && text[2] != '\\' && text[2] != '\0';
}
