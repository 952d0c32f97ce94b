// Scratch directories under the system's temporary folder, unique per process and test.
#include "tests/support/scratch_dir.h"

#include <algorithm>
#include <fstream>
#include <random>

namespace fs = std::filesystem;

ScratchDir::ScratchDir() {
  static std::mt19937 unique{std::random_device{}()};
  do {
    root_ = fs::temp_directory_path() / ("kpx-test-" + std::to_string(unique()));
  } while (!fs::create_directory(root_));
}

ScratchDir::~ScratchDir() {
  std::error_code ignored;
  // Code under test may leave the current directory in the tree; Windows cannot remove it there.
  fs::current_path(fs::temp_directory_path(), ignored);
  for (const auto& item : fs::recursive_directory_iterator(root_, ignored)) {
    fs::permissions(item.path(), fs::perms::owner_all, fs::perm_options::add, ignored);
  }
  fs::remove_all(root_, ignored);
}

fs::path ScratchDir::Path(const std::string& relative) const {
  std::string portable = relative;
  std::replace(portable.begin(), portable.end(), '\\', '/');
  return root_ / fs::path(portable);
}

std::vector<std::string> ScratchDir::Listing() const {
  std::vector<std::string> names;
  for (const auto& item : fs::recursive_directory_iterator(root_)) {
    names.push_back(item.path().lexically_relative(root_).generic_string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

std::string ScratchDir::Write(const std::string& relative, const std::string& bytes) const {
  const fs::path file = Path(relative);
  fs::create_directories(file.parent_path());
  std::ofstream(file, std::ios::binary | std::ios::trunc) << bytes;
  return file.string();
}
