// The file operations the entry extractor needs, one platform at a time: file_ops_win.cpp calls
// Win32, file_ops_posix.cpp calls POSIX (for the host tool, the tests and the fuzzer). Paths are
// '\'-separated byte strings; the POSIX layer turns '\' into '/' when it calls the system.
//
// An output file is reached through a FolderChain: the destination and each folder below it down
// to the file's own, held open from the moment each is checked until the file is created, so that
// no folder can be swapped for a link between its check and its use. How each platform holds them
// is told in its file.
//
// FileOpsTest is a seam for tests: it can cap the bytes that writes may still put on disk (so a
// write comes up short, as on a full disk), observe every write piece and lock, and act between
// the check of the folders above a path and the open of that path. In the program it stays all
// zero and costs one test per call.
#pragma once

#include <cstdint>

// An open output file: a HANDLE on Windows, a descriptor on POSIX.
typedef void* FileHandle;

// An open folder: a HANDLE on Windows, a descriptor on POSIX.
typedef void* FolderHandle;

// The most folders an entry name can hold below the destination: every folder takes a name byte
// and a separator of a name field shorter than the path limit (extract_entry.cpp checks it).
constexpr uint32_t kMaxFolderDepth = 128;

// The folders from the destination (first) to an output file's own folder (last).
struct FolderChain {
  FolderHandle Held[kMaxFolderDepth + 1];  // the destination and at most kMaxFolderDepth more
  uint32_t Count;                          // set to 0 before the first call
};

// Opens the destination directory path (absolute, with or without a trailing '\'; a link there is
// followed: the user chose it) as the chain's first folder. False when it cannot be opened.
bool OpenDestinationFolder(FolderChain* chain, const char* path);

// Opens the folder path, whose last component starts at path + nameStart, inside the chain's last
// folder, creating it when it is missing, and adds it to the chain. False, adding nothing, when it
// cannot be opened or created, or when it is a link (a name surrogate, windows_names.h).
bool EnterFolder(FolderChain* chain, const char* path, uint32_t nameStart);

// Closes every folder of the chain.
void CloseFolders(FolderChain* chain);

// Creates the file path, whose name starts at path + nameStart, inside the chain's last folder, for
// writing, without sharing, replacing and truncating an existing file. Refused: a link at path, a
// file with a second name (a hard link), anything but a plain file, and one that cannot be written
// (read-only, or held open). Truncates only once the file passed those checks. Returns true and
// the open file in *file, or false when the file cannot be created.
bool CreateOutputFile(const FolderChain& chain, const char* path, uint32_t nameStart,
                      FileHandle* file);

// The file's current position (low 32 bits).
uint32_t GetFilePosition(FileHandle file);

// Locks and unlocks length bytes from position. Their results are not examined.
void LockFileRange(FileHandle file, uint32_t position, uint32_t length);
void UnlockFileRange(FileHandle file, uint32_t position, uint32_t length);

// Writes length bytes at the current position. Returns the number of bytes the system reports
// written; 0 when the write failed.
uint32_t WriteFilePiece(FileHandle file, const uint8_t* bytes, uint32_t length);

void CloseOutputFile(FileHandle file);

// Deletes the file path (name at path + nameStart) of the chain's last folder; best effort.
void DeleteOutputFile(const FolderChain& chain, const char* path, uint32_t nameStart);

// Test seam; see the top of this file.
struct FileOpsHooks {
  int WriteLimitOn;     // nonzero: writes may put at most WriteLimit more bytes on disk
  uint32_t WriteLimit;  // bytes left; a piece beyond it is cut short
  void (*Wrote)(uint32_t requested, uint32_t written);
  void (*Locked)(uint32_t position, uint32_t length);
  void (*Unlocked)(uint32_t position, uint32_t length);
  // Called with each folder and then the file of an output path, once every folder above it has
  // been checked and held, just before it is opened.
  void (*BeforeOpen)(const char* path);
};

extern FileOpsHooks FileOpsTest;

// Applies the test write limit to a piece of length bytes: returns how many of them may be written
// and uses them up. Called by the platform layers only.
uint32_t AllowedWriteLength(uint32_t length);
