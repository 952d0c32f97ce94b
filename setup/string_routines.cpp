// The C string and memory routines that setup.exe's code (or the compiler, for it) calls. The
// program links no C library, so it brings its own; the linker keeps only those in use. Portable,
// but linked into setup.exe alone. Built with -fno-builtin, so that the compiler does not turn
// these loops back into calls of themselves.
#include <cstddef>

extern "C" {

size_t strlen(const char* text) {
  const char* end = text;
  while (*end != '\0') ++end;
  return static_cast<size_t>(end - text);
}

char* strrchr(const char* text, int wanted) {
  const char* last = nullptr;
  for (;; ++text) {
    if (*text == static_cast<char>(wanted)) last = text;
    if (*text == '\0') return const_cast<char*>(last);
  }
}

void* memcpy(void* to, const void* from, size_t count) {
  unsigned char* out = static_cast<unsigned char*>(to);
  const unsigned char* in = static_cast<const unsigned char*>(from);
  while (count-- > 0) *out++ = *in++;
  return to;
}

void* memset(void* to, int value, size_t count) {
  unsigned char* out = static_cast<unsigned char*>(to);
  while (count-- > 0) *out++ = static_cast<unsigned char>(value);
  return to;
}

}  // extern "C"
