// Bounded copying and joining of the program's byte-string paths. Portable. Every path buffer of
// the system code is kPathSize bytes; these helpers never write past the size they are given and
// report when a text did not fit, so that a caller can pass over a path that would be cut short.
#pragma once

#include <cstddef>

// Copies text into buffer[0..size-1]. Returns true when it fit with its terminator; otherwise the
// buffer holds an empty string and the result is false.
bool CopyPath(char* buffer, size_t size, const char* text);

// Appends text to the string in buffer. Returns true when it fit; otherwise the buffer is left as
// it was and the result is false.
bool AppendPath(char* buffer, size_t size, const char* text);

// Appends '\' unless the string already ends in one (an empty string does not). Returns false
// when there was no room, leaving the buffer unchanged.
bool AppendSeparator(char* buffer, size_t size);

// Cuts the string at its last '\' (the separator removed). Returns false, leaving the string
// unchanged, when it holds no '\'.
bool CutAtLastSeparator(char* buffer);

// True when separator, a '\' in path, is a drive root's ("C:\"): cut there, the path would be a
// bare "C:", which names the drive's current folder rather than its root.
bool IsDriveRootSeparator(const char* path, const char* separator);

// Cuts a file's full path to its folder, like CutAtLastSeparator, but keeps the '\' of a drive
// root ("C:\x.exe" gives "C:\", "C:\a\x.exe" gives "C:\a").
bool CutToFolder(char* buffer);

// True when text is a full path: a drive letter, ':' and '\' ("C:\..."), or a network path
// "\\server..." (a path without its share fails later, as any missing folder does). Anything else
// ("", "x", "\x", "C:x") is read against a current folder or drive, and so could name any folder.
bool IsFullPath(const char* text);

// Compares two texts ignoring the case of the ASCII letters; true when they are equal.
bool EqualIgnoringAsciiCase(const char* a, const char* b);
