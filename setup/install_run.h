// The install run: extracts every payload entry into Setup.InstallDirectory, checks that at least
// Package.FileCount entries came out, then creates the shortcuts and the uninstall entry.
// Declarations; the code is Win32 (install_run_win.cpp), since the payload is a resource.
#pragma once

// Results of RunInstall; Setup.Cancelled afterwards is given with each.
enum InstallRunResult {
  kInstallSucceeded = 1,         // all extracted, shortcuts created, registration attempted;
                                 // Cancelled 0
  kInstallFailed = -1,           // empty InstallDirectory (Cancelled unchanged), or extraction
                                 // failed or fell short of FileCount (Cancelled 1)
  kInstallShortcutsFailed = -2,  // files extracted, CreateShortcuts failed, no registration;
                                 // Cancelled 0
};

// Runs the install from the program's own payload resource ("KPX", 119). Called once, by the
// install dialog, after it has filled InstallDirectory (ending in '\') and created the directory.
int RunInstall();

// The same run with the payload taken from the "KPX" resource resourceId of the program's own
// executable; RunInstall is this with the payload id. Lets tests install other payloads.
int RunInstallFromResource(int resourceId);

// True when every entry of the program's own payload fits below directory (a full path without
// its trailing '\'): directory, '\' and the entry's name within the extractor's path limit. The
// dialog asks before anything is created, so that a destination too deep for the product's
// deepest file is refused instead of failing part-way through the install. A damaged payload is
// read up to its first bad entry; the install run reports the damage.
bool PayloadFitsBelow(const char* directory);
