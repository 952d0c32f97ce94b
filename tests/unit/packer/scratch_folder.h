// A scratch folder for the packer tests, removed with everything in it at the end of the test.
#pragma once

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include <gtest/gtest.h>

class ScratchFolder {
 public:
  ScratchFolder() {
    static int counter = 0;
    path_ = ::testing::TempDir() + "kpx_packer_" + std::to_string(getpid()) + "_" +
            std::to_string(counter++);
    std::filesystem::remove_all(path_);
    std::filesystem::create_directories(path_);
  }
  ~ScratchFolder() { std::filesystem::remove_all(path_); }

  const std::string& Path() const { return path_; }

  // Writes a file below the folder, creating its parent folders.
  std::string Write(const std::string& relative, const std::string& bytes) const {
    std::filesystem::path file = std::filesystem::path(path_) / relative;
    std::filesystem::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary) << bytes;
    return file.string();
  }

 private:
  std::string path_;
};
