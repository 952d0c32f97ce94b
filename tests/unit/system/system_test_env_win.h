// Test helpers for the Windows system tests: a temporary directory, a temporary redirection of the
// user's shell folders in HKCU, small file and registry helpers. Test code only (heap and std::string allowed).
#pragma once

#include <string>

#include <gtest/gtest.h>

#include "setup/package_info.h"
#include "setup/setup_state.h"
#include "tests/support/scratch_dir.h"

// A fresh directory under the temp folder, removed with everything in it when the object dies.
class TempDirectory : public ScratchDir {
 public:
  std::string Join(const std::string& relative) const { return Root() + "\\" + relative; }
};

// Points the "Programs" and "Desktop" values of HKCU's shell-folders key at the given paths (an
// empty path deletes the value) and puts the earlier values back when destroyed.
class ShellFoldersOverride {
 public:
  ShellFoldersOverride(const std::string& programs, const std::string& desktop);
  ~ShellFoldersOverride();
  // Replaces one value; an empty data deletes it. name may differ in case from the usual one.
  static void SetValue(const char* name, const std::string& data);

 private:
  bool hadPrograms_ = false, hadDesktop_ = false;
  std::string programs_, desktop_;
};

// Saves Package and Setup, and puts them back when destroyed, so tests may change both.
class SharedStateGuard {
 public:
  SharedStateGuard() : package_(Package), setup_(Setup) {}
  ~SharedStateGuard() { Package = package_; Setup = setup_; }

 private:
  PackageInfo package_;
  SetupState setup_;
};

// Creates the directory and any missing parents; returns path.
std::string MakeDirectory(const std::string& path);

// A test whose user shell folders "Programs" and "Desktop" point at fresh folders of a temporary
// root, with Package and Setup put back afterwards.
class ShellFoldersTest : public ::testing::Test {
 protected:
  // Points the shell folders at the test's folders again: the shell puts the real folders back
  // into "Shell Folders" whenever it resolves one (as the link object does).
  void RedirectAgain() const {
    ShellFoldersOverride::SetValue("Programs", programs_);
    ShellFoldersOverride::SetValue("Desktop", desktop_);
  }

  SharedStateGuard state_;
  TempDirectory root_;
  const std::string programs_ = MakeDirectory(root_.Join("Programs"));
  const std::string desktop_ = MakeDirectory(root_.Join("Desktop"));
  ShellFoldersOverride folders_{programs_, desktop_};
};

// Writes text to the file at path, creating its directory first.
void WriteTextFile(const std::string& path, const std::string& text);
bool FileExists(const std::string& path);       // a file, not a directory
bool DirectoryExists(const std::string& path);
// Names in a directory (files and folders, without "." and ".."), sorted.
std::string ListDirectory(const std::string& path);

bool MachineKeyExists(const std::string& keyPath);
void DeleteMachineKey(const std::string& keyPath);
