// The texts of the destination field. Portable.
#include "ui/destination_text.h"

#include "ui/path_text.h"

bool ComposeDefaultDestination(char* out, int size, const char* base, const char* folder) {
  int needed = TextLength(base) + 1 + TextLength(folder);
  if (needed >= size) return false;
  CopyText(out, size, base);
  AppendText(out, size, "\\");
  AppendText(out, size, folder);
  return true;
}

bool ComposeBrowsedDestination(char* path, int size, const char* folder) {
  int separator = EndsWithBackslash(path) ? 0 : 1;
  if (TextLength(path) + separator + TextLength(folder) >= size) return false;
  if (separator) AppendText(path, size, "\\");
  AppendText(path, size, folder);
  return true;
}

void DropTrailingBackslash(char* path) {
  if (EndsWithBackslash(path)) path[TextLength(path) - 1] = '\0';
}

bool CanTakeTrailingBackslash(const char* path, int size) {
  return EndsWithBackslash(path) || TextLength(path) + 1 < size;
}

bool AddTrailingBackslash(char* path, int size) {
  if (EndsWithBackslash(path)) return true;
  return AppendText(path, size, "\\");
}
