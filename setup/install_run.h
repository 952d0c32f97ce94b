// The install run: extracts the payload into InstallDirectory, then creates the shortcuts and the
// uninstall registration. Called by the install dialog on its only thread.
#pragma once

enum InstallRunResult {
  kInstallSucceeded = 1,        // every entry extracted, shortcuts created, uninstall attempted
  kInstallFailed = -1,          // empty destination, failed extraction or too few entries
  kInstallShortcutsFailed = -2, // files in place, but the Start-menu shortcuts failed
};

int RunInstall();
