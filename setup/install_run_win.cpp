// The install run: payload resource -> ExtractEntry per entry -> shortcuts -> uninstall entry.
// Win32. Runs on the program's only thread inside the install dialog's command handling.
#include "setup/install_run.h"

#include <cstdint>

#include "archive/entry_header.h"
#include "archive/extract_entry.h"
#include "archive/payload_format.h"
#include "setup/package_info.h"
#include "setup/setup_state.h"
#include "system/path_buffer.h"
#include "system/shortcuts.h"
#include "system/uninstall_key.h"
#include "system/win32_api.h"

// Names the new file for the progress display, counts it and repaints the progress control at
// once (invalidate with erase, then update), before any of its data is written.
static void ShowOutputFile(const char* path) {
  (void)CopyPath(Setup.CurrentFile, kPathSize, path);  // the extractor's paths are shorter
  ++Setup.FilesDone;
  HWND progress = static_cast<HWND>(Setup.ProgressWindow);
  if (progress == nullptr) return;
  InvalidateRect(progress, nullptr, TRUE);
  UpdateWindow(progress);
}

// Extracts entries from offset 0 until the archive ends or an entry fails; a failure sets
// Cancelled and stops at once. Returns the number of entries extracted. Not limited by FileCount.
static int ExtractAllEntries(const uint8_t* archive, uint32_t size) {
  int count = 0;
  uint32_t offset = 0;
  for (;;) {
    int next = ExtractEntry(archive, offset, size, Setup.InstallDirectory, ShowOutputFile);
    if (next == 0) break;  // end of the archive
    if (next < 0) {
      Setup.Cancelled = 1;  // this entry failed; later entries are never tried
      break;
    }
    ++count;
    offset = uint32_t(next);
  }
  return count;
}

// The "KPX" resource resourceId of the program's own executable, read in place (a loaded resource
// needs no freeing in a 32-bit program). A missing resource gives size 0.
static const uint8_t* LockPayload(int resourceId, uint32_t* size) {
  HRSRC resource = FindResourceA(nullptr, MAKEINTRESOURCEA(resourceId), KPX_PAYLOAD_RESOURCE_TYPE);
  const uint8_t* archive =
      static_cast<const uint8_t*>(LockResource(LoadResource(nullptr, resource)));
  *size = archive != nullptr ? SizeofResource(nullptr, resource) : 0;
  return archive;
}

int RunInstall() { return RunInstallFromResource(kPayloadResourceId); }

int RunInstallFromResource(int resourceId) {
  if (Setup.InstallDirectory[0] == '\0') return kInstallFailed;
  Setup.Cancelled = 0;
  // A missing resource is not tested for: it has size 0, so the first entry is already the end
  // and the count check below fails the run.
  uint32_t size;
  const uint8_t* archive = LockPayload(resourceId, &size);
  Setup.Installing = 1;
  Setup.FilesTotal = uint32_t(Package.FileCount);
  Setup.FilesDone = 0;
  int count = ExtractAllEntries(archive, size);
  if (Setup.Cancelled || count < Package.FileCount) {
    Setup.Cancelled = 1;
    return kInstallFailed;
  }
  if (CreateShortcuts() == kShortcutsNoProgramsFolder) return kInstallShortcutsFailed;
  if (Package.CreateUninstall) (void)RegisterUninstall();  // a failed registration is not reported
  return kInstallSucceeded;
}

// Walks the headers with the extractor's own reader and stops at the first one that is not
// usable: the extraction then reports the damage.
bool PayloadFitsBelow(const char* directory) {
  uint32_t size;
  const uint8_t* archive = LockPayload(kPayloadResourceId, &size);
  // Room for a name field (the name and its NUL) after directory: its '\' takes the NUL's place.
  const int room = int(kMaxOutputPath) - lstrlenA(directory);
  EntryHeader entry;
  for (uint32_t offset = 0; ReadEntryHeader(archive, offset, size, &entry) == kHeaderValid;
       offset = entry.NextOffset) {
    if (int(entry.NameFieldSize) > room) return false;
  }
  return true;
}
