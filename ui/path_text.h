// Bounded byte-string helpers for the fixed path buffers of the setup window. Portable. Every
// copy and append of the window code goes through them, so that no buffer is ever overrun.
#pragma once

// Length of a NUL-terminated byte string.
int TextLength(const char* text);

// Copies src into dst (size bytes, terminator included). Returns false, leaving dst unchanged,
// when src does not fit.
bool CopyText(char* dst, int size, const char* src);

// Appends src to the text in dst (size bytes, terminator included). Returns false, leaving dst
// unchanged, when the result would not fit.
bool AppendText(char* dst, int size, const char* src);

// True when the text is not empty and its last byte is '\'.
bool EndsWithBackslash(const char* text);
