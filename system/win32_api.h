// The one way the system code includes the Win32 headers: narrow (ANSI) API, strict handle types,
// lean windows.h. Included only by *_win.cpp files.
#pragma once

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef STRICT
#define STRICT
#endif
#include <windows.h>
