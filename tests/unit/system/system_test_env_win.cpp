// Test helpers for the Windows system tests. Win32.
#include "tests/unit/system/system_test_env_win.h"

#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <vector>

#include "system/shell_folders.h"

static bool ReadString(HKEY root, const std::string& keyPath, const char* name,
                       std::string& data) {
  char buffer[1024];
  DWORD size = sizeof buffer;
  if (RegGetValueA(root, keyPath.c_str(), name, RRF_RT_REG_SZ, nullptr, buffer, &size) !=
      ERROR_SUCCESS) {
    return false;
  }
  data = buffer;
  return true;
}

// Sets a REG_SZ value, creating the key; an empty data deletes the value.
static void WriteString(HKEY root, const char* keyPath, const char* name,
                        const std::string& data) {
  HKEY key;
  RegCreateKeyExA(root, keyPath, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
  if (data.empty()) {
    RegDeleteValueA(key, name);
  } else {
    RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(data.c_str()),
                   DWORD(data.size() + 1));
  }
  RegCloseKey(key);
}

void ShellFoldersOverride::SetValue(const char* name, const std::string& data) {
  WriteString(HKEY_CURRENT_USER, SHELL_FOLDERS_KEY, name, data);
}

ShellFoldersOverride::ShellFoldersOverride(const std::string& programs,
                                           const std::string& desktop) {
  hadPrograms_ = ReadString(HKEY_CURRENT_USER, SHELL_FOLDERS_KEY, "Programs", programs_);
  hadDesktop_ = ReadString(HKEY_CURRENT_USER, SHELL_FOLDERS_KEY, "Desktop", desktop_);
  SetValue("Programs", programs);
  SetValue("Desktop", desktop);
}

ShellFoldersOverride::~ShellFoldersOverride() {
  SetValue("Programs", hadPrograms_ ? programs_ : "");
  SetValue("Desktop", hadDesktop_ ? desktop_ : "");
}

void WriteTextFile(const std::string& path, const std::string& text) {
  MakeDirectory(std::filesystem::path(path).parent_path().string());
  std::ofstream(path, std::ios::binary) << text;
}

bool FileExists(const std::string& path) {
  DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool DirectoryExists(const std::string& path) {
  DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::string MakeDirectory(const std::string& path) {
  std::error_code ignored;  // an existing directory is no error here
  std::filesystem::create_directories(path, ignored);
  return path;
}

std::string ListDirectory(const std::string& path) {
  std::vector<std::string> names;
  std::error_code missing;  // a missing directory lists as empty
  for (const auto& item : std::filesystem::directory_iterator(path, missing))
    names.push_back(item.path().filename().string());
  std::sort(names.begin(), names.end());
  std::string joined;
  for (const std::string& name : names) joined += (joined.empty() ? "" : "|") + name;
  return joined;
}

bool MachineKeyExists(const std::string& keyPath) {
  HKEY key;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, keyPath.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) {
    return false;
  }
  RegCloseKey(key);
  return true;
}

void DeleteMachineKey(const std::string& keyPath) {
  RegDeleteTreeA(HKEY_LOCAL_MACHINE, keyPath.c_str());
  RegDeleteKeyA(HKEY_LOCAL_MACHINE, keyPath.c_str());
}
