// The texts of the destination field: the proposed default, a browsed folder turned into a
// destination, and the trailing '\' that the install removes for its checks. Portable; the
// install dialog applies them to its fixed 260-byte buffers.
#pragma once

#include <cstddef>

// Writes base + "\" + folder into out (size bytes). The base is joined as it is, even when it
// already ends in '\'. Returns false, leaving out unchanged, when the result does not fit.
bool ComposeDefaultDestination(char* out, size_t size, const char* base, const char* folder);

// Turns the folder picked in the browser (in path, a buffer of size bytes) into a destination:
// appends "\" unless the path already ends in one (an empty path does not), then folder.
// Returns false, leaving path unchanged, when there is no room for both.
bool ComposeBrowsedDestination(char* path, size_t size, const char* folder);

// True when text names no folder: empty, or backslashes only. A lone "\" would otherwise mean
// the root of the current drive and "\\" a network name without a server; the dialog puts the
// default back for all of them alike.
bool NamesNoFolder(const char* text);

// Removes one trailing '\' if there is one, except a drive root's ("C:\" stays: "C:" would name
// the drive's current folder); a text ending in two keeps one.
void DropTrailingBackslash(char* path);

// True when the path already ends in '\' or has room in size bytes for one more.
bool CanTakeTrailingBackslash(const char* path, size_t size);
