// The destination checks of the install dialog, as a decision procedure over operations that the
// windowing layer passes in: directory tests, the previous-installation classification and
// removal, and a yes/no question. Portable; install_dialog_win.cpp supplies the Win32 operations
// and the message boxes, the tests supply fakes.
#pragma once

#include "system/previous_install.h"

// What the dialog does after the checks.
enum class DestinationDecision {
  Proceed,  // create the destination and install
  Stay,     // back to the dialog, unchanged
  Abort,    // the user refused the removal of the previous generation: end the setup
};

// The questions the checks may ask; message_box_win.cpp holds their texts.
enum class DestinationQuestion {
  OverwriteProgram,     // the program file is there, without either generation's ini marker
  RemoveOlderVersion,   // the previous generation is there and would be removed
  InstallIntoNonEmpty,  // the directory holds other files
};

enum class UserAnswer { Yes, No };

struct DestinationOps {
  void* Owner;                 // handed back to AskYesNo (the dialog window)
  const char* StartDirectory;  // made current again before the emptiness test
  // Makes the directory current; true on success, which is also the test that it exists.
  bool (*EnterDirectory)(const char* path);
  // Removes the directory; succeeds only for an empty one.
  bool (*RemoveEmptyDirectory)(const char* path);
  PreviousInstallResult (*DetectPreviousInstall)(const char* directory);
  void (*RemoveLegacyVersion)(const char* directory);
  // Asks the question; anything but an explicit No counts as Yes.
  UserAnswer (*AskYesNo)(void* owner, DestinationQuestion question);
};

// Checks the destination (without its trailing '\') and asks the user where needed.
// Returns Proceed for a directory that does not exist, an empty one, the current product, or
// after a Yes; Stay after a No to the overwrite and non-empty questions; Abort after a No to the
// removal of the older version. Leaves the current directory where the checks moved it.
DestinationDecision CheckDestination(const char* destination, const DestinationOps& ops);
