// The process-wide run-time state that the dialog, the install run, the extractor and the progress
// painter share. One thread; no locking. Portable: window handles are held as opaque pointers.
#pragma once

#include <cstdint>

constexpr int kPathSize = 260;  // every path buffer, terminator included

struct SetupState {
  char StartDirectory[kPathSize];    // current directory at start-up
  char InstallDirectory[kPathSize];  // destination; ends in '\' once the run has started
  char CurrentFile[kPathSize];       // full path of the file being written
  int Cancelled;                     // user's cancel, and the install run's failure mark
  int Installing;                    // nonzero once the install run has started
  uint32_t FilesTotal;               // progress bar's full scale
  uint32_t FilesDone;                // output files created so far
  void* DialogWindow;                // HWND of the install dialog
  void* ProgressWindow;              // HWND of the painted progress control
};

extern SetupState Setup;
