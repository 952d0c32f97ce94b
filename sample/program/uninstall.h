// The product's own uninstall: removes exactly what the setup program created. Declarations; the
// code is Win32 (uninstall_win.cpp).
#pragma once

// Removes the installed files (never others), their folders once empty, the Start-menu folder
// with its three links, the desktop link and the uninstall key; then starts a helper copy of this
// program from the temp folder that deletes quorvel.exe and the install folder once this process
// has ended. Asks first unless quiet. Returns the process exit code (0 done, 1 declined).
int RunUninstall(bool quiet);

// The helper copy's work: waits for the original process (inherited handle), then deletes the
// original program file and removes its folder if empty. arguments follows FINISH_SWITCH on the
// command line: the handle number and the quoted program path. Returns the exit code.
int FinishUninstall(const char* arguments);
