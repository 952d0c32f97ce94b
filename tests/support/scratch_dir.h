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
  std::string Root() const { return root_.string(); }
  // A path below the directory; '\' in relative is taken as a separator.
  std::filesystem::path Path(const std::string& relative) const;
  // Writes bytes to the file at relative, replacing it and creating its parent directories;
  // returns the file's path.
  std::string Write(const std::string& relative, const std::string& bytes) const;
  // Every file and directory below the directory, relative, '/'-separated, sorted.
  std::vector<std::string> Listing() const;

 private:
  std::filesystem::path root_;
};
