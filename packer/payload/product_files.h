// The files of a product folder as payload entries: found, named and ordered. Host only.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "packer/kpx_error.h"

struct ProductFile {
  std::string SourcePath;  // path on this machine
  std::string Name;        // entry name: relative path in code page 1252 with \ separators
  uint64_t Size = 0;
  uint64_t Device = 0, Inode = 0;  // the file that was listed: opening checks it is still the one
};

// The destination that names are measured against when no package description gives one
// (`kpx pack`): "c:\program files\Quorvelane\", a typical install folder.
std::string DefaultDestination();

// Finds every file below folder and returns them in entry order: the file whose entry name is
// first (code page 1252, with / or \) at the head, the rest sorted by name. Throws KpxError
// naming every symbolic link below folder (none is followed: a publisher copies the file in);
// naming the file for an unreadable file, a file of 2^31 bytes or more, a name that code page 1252
// cannot hold or Windows refuses, two names that Windows takes for one, a path longer than 253
// characters under destination, or a missing first file; for a folder tree without files.
std::vector<ProductFile> ListProductFiles(const std::string& folder, const std::string& first,
                                          const std::string& destination);

// Opens file for reading as it was listed: never through a link at its path, only a plain file,
// the same file (device and inode) of the same size. Returns the descriptor, which the caller
// closes. Throws KpxError naming the file otherwise ("changed while packing").
int OpenProductFile(const ProductFile& file);

// Moves the file whose entry name is first (code page 1252, / or \ separators) to the head.
// Throws KpxError when no file has that name.
void PutFirst(std::vector<ProductFile>& files, const std::string& first, const std::string& folder);
