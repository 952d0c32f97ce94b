// The one way the Win32 layer includes the platform headers: lean, strict, ANSI. Only *_win.cpp
// files and the *_win.h headers they share include it.
#pragma once

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef STRICT
#define STRICT
#endif
#include <windows.h>
