// A fresh, empty directory for one test, removed with everything in it afterwards.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

class ScratchDir {
 public:
  ScratchDir();
  ~ScratchDir();
  ScratchDir(const ScratchDir&) = delete;
  ScratchDir& operator=(const ScratchDir&) = delete;

  // The directory in the system's own spelling, without a trailing separator.
  std::string Destination() const { return root_.string(); }
  // A path below the directory; '\' in relative is taken as a separator.
  std::filesystem::path Path(const std::string& relative) const;
  // Every file and directory below the directory, relative, '/'-separated, sorted.
  std::vector<std::string> Listing() const;

 private:
  std::filesystem::path root_;
};

// Writes bytes to path, replacing it.
void WriteWholeFile(const std::filesystem::path& path, const std::string& bytes);
// Whole contents of path, or "<missing>" when it cannot be read.
std::string ReadFileOrMissing(const std::filesystem::path& path);
