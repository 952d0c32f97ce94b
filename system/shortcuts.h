// The product's shortcuts: its Start-menu folder (rebuilt on every run) with the program, help
// and uninstall links, and the optional desktop link. Declarations only; the code is Win32
// (shortcuts_win.cpp).
#pragma once

// Results of CreateShortcuts.
enum ShortcutsResult : int {
  kShortcutsNoProgramsFolder = 0,  // no "Programs" shell folder: nothing created or deleted
  kShortcutsDone = 1,              // Programs found; single links may still have failed
};

// Creates the product's links from Package and Setup.InstallDirectory (which ends in '\'). The
// product folder in the Programs folder is emptied first, or created; a product folder that is a
// link, or that cannot be created, gets no links (the desktop link is still made). Returns a
// ShortcutsResult.
ShortcutsResult CreateShortcuts();

// Writes one shell link file at linkPath pointing at target, with the target's folder as working
// directory (a drive's root keeps its '\'); arguments and iconPath may be null (iconIndex counts
// only with an iconPath). Assumes COM is initialised on the thread. Returns E_ACCESSDENIED, writing
// nothing, when linkPath is a link or other reparse point; otherwise the HRESULT of creating the
// link object or of obtaining its IPersistFile when one of these fails, else that of the save.
long CreateShellLink(const char* target, const char* linkPath, const char* arguments,
                     const char* iconPath, int iconIndex);
