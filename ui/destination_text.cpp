// The texts of the destination field. Portable.
#include "ui/destination_text.h"

#include <cstring>

#include "system/path_buffer.h"

namespace {

bool EndsWithBackslash(const char* text) {
  size_t length = strlen(text);
  return length > 0 && text[length - 1] == '\\';
}

}  // namespace

bool ComposeDefaultDestination(char* out, size_t size, const char* base, const char* folder) {
  if (strlen(base) + 1 + strlen(folder) >= size) return false;
  return CopyPath(out, size, base) && AppendPath(out, size, "\\") && AppendPath(out, size, folder);
}

bool ComposeBrowsedDestination(char* path, size_t size, const char* folder) {
  size_t separator = EndsWithBackslash(path) ? 0 : 1;
  if (strlen(path) + separator + strlen(folder) >= size) return false;
  return AppendSeparator(path, size) && AppendPath(path, size, folder);
}

bool NamesNoFolder(const char* text) {
  while (*text == '\\') ++text;
  return *text == '\0';
}

void DropTrailingBackslash(char* path) {
  if (!EndsWithBackslash(path)) return;
  char* last = path + strlen(path) - 1;
  if (!IsDriveRootSeparator(path, last)) *last = '\0';
}

bool CanTakeTrailingBackslash(const char* path, size_t size) {
  return EndsWithBackslash(path) || strlen(path) + 1 < size;
}
