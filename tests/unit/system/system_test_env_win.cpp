// Test helpers for the Windows system tests. Win32 + COM.
#include "tests/unit/system/system_test_env_win.h"

#define WIN32_LEAN_AND_MEAN
#include <windows.h>
#include <objbase.h>
#include <objidl.h>
#include <shlobj.h>
#include <shellapi.h>

#include <algorithm>
#include <vector>

#include "system/shell_folders.h"

// Removes a tree without the program's own code, so the tests do not lean on what they test:
// clears read-only attributes first.
static void RemoveTreeForTests(const std::string& path) {
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((path + "\\*").c_str(), &found);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      std::string name = found.cFileName;
      if (name == "." || name == "..") continue;
      std::string full = path + "\\" + name;
      SetFileAttributesA(full.c_str(), FILE_ATTRIBUTE_NORMAL);
      if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) &&
          !(found.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
        RemoveTreeForTests(full);
      } else if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        RemoveDirectoryA(full.c_str());
      } else {
        DeleteFileA(full.c_str());
      }
    } while (FindNextFileA(search, &found));
    FindClose(search);
  }
  RemoveDirectoryA(path.c_str());
}

TempDirectory::TempDirectory(const char* label) {
  char temp[MAX_PATH];
  GetTempPathA(MAX_PATH, temp);
  static int serial = 0;
  for (;;) {
    path_ = std::string(temp) + "kpx " + label + " " + std::to_string(GetCurrentProcessId()) +
            "-" + std::to_string(++serial);
    if (CreateDirectoryA(path_.c_str(), nullptr)) break;
  }
}

TempDirectory::~TempDirectory() {
  char current[MAX_PATH];
  GetCurrentDirectoryA(MAX_PATH, current);
  if (std::string(current).rfind(path_, 0) == 0) {  // never delete the current directory's tree
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    SetCurrentDirectoryA(temp);
  }
  RemoveTreeForTests(path_);
}

static bool ReadUserFolderValue(const char* name, std::string& data) {
  char buffer[1024];
  DWORD size = sizeof buffer;
  if (RegGetValueA(HKEY_CURRENT_USER, SHELL_FOLDERS_KEY, name, RRF_RT_REG_SZ, nullptr, buffer,
                   &size) != ERROR_SUCCESS) {
    return false;
  }
  data = buffer;
  return true;
}

void ShellFoldersOverride::SetValue(const char* name, const std::string& data) {
  HKEY key;
  RegCreateKeyExA(HKEY_CURRENT_USER, SHELL_FOLDERS_KEY, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                  &key, nullptr);
  if (data.empty()) {
    RegDeleteValueA(key, name);
  } else {
    RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(data.c_str()),
                   DWORD(data.size() + 1));
  }
  RegCloseKey(key);
}

ShellFoldersOverride::ShellFoldersOverride(const std::string& programs,
                                           const std::string& desktop) {
  hadPrograms_ = ReadUserFolderValue("Programs", programs_);
  hadDesktop_ = ReadUserFolderValue("Desktop", desktop_);
  SetValue("Programs", programs);
  SetValue("Desktop", desktop);
}

ShellFoldersOverride::~ShellFoldersOverride() {
  SetValue("Programs", hadPrograms_ ? programs_ : "");
  SetValue("Desktop", hadDesktop_ ? desktop_ : "");
}

LinkProperties ReadShellLink(const std::string& linkPath) {
  LinkProperties properties;
  CoInitialize(nullptr);
  IShellLinkA* link = nullptr;
  if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                 reinterpret_cast<void**>(&link)))) {
    IPersistFile* file = nullptr;
    if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
      WCHAR wide[MAX_PATH];
      MultiByteToWideChar(CP_ACP, 0, linkPath.c_str(), -1, wide, MAX_PATH);
      if (SUCCEEDED(file->Load(wide, STGM_READ))) {
        char text[1024];
        properties.Loaded = true;
        if (SUCCEEDED(link->GetPath(text, sizeof text, nullptr, SLGP_RAWPATH))) {
          properties.Target = text;
        }
        if (SUCCEEDED(link->GetWorkingDirectory(text, sizeof text))) {
          properties.WorkingDirectory = text;
        }
        if (SUCCEEDED(link->GetArguments(text, sizeof text))) properties.Arguments = text;
        int index = 0;
        if (SUCCEEDED(link->GetIconLocation(text, sizeof text, &index))) {
          properties.IconPath = text;
          properties.IconIndex = index;
        }
      }
      file->Release();
    }
    link->Release();
  }
  CoUninitialize();
  return properties;
}

void WriteTextFile(const std::string& path, const std::string& text) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  DWORD written = 0;
  WriteFile(file, text.data(), DWORD(text.size()), &written, nullptr);
  CloseHandle(file);
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
  CreateDirectoryA(path.c_str(), nullptr);
  return path;
}

std::string ListDirectory(const std::string& path) {
  std::vector<std::string> names;
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((path + "\\*").c_str(), &found);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      std::string name = found.cFileName;
      if (name != "." && name != "..") names.push_back(name);
    } while (FindNextFileA(search, &found));
    FindClose(search);
  }
  std::sort(names.begin(), names.end());
  std::string joined;
  for (const std::string& name : names) joined += (joined.empty() ? "" : "|") + name;
  return joined;
}

bool ReadMachineString(const std::string& keyPath, const char* name, std::string& data) {
  char buffer[1024];
  DWORD size = sizeof buffer;
  if (RegGetValueA(HKEY_LOCAL_MACHINE, keyPath.c_str(), name, RRF_RT_REG_SZ, nullptr, buffer,
                   &size) != ERROR_SUCCESS) {
    return false;
  }
  data = buffer;
  return true;
}

bool MachineKeyExists(const std::string& keyPath) {
  HKEY key;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, keyPath.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) {
    return false;
  }
  RegCloseKey(key);
  return true;
}

void WriteMachineString(const std::string& keyPath, const char* name, const std::string& data) {
  HKEY key;
  RegCreateKeyExA(HKEY_LOCAL_MACHINE, keyPath.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                  &key, nullptr);
  RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(data.c_str()),
                 DWORD(data.size() + 1));
  RegCloseKey(key);
}

void DeleteMachineKey(const std::string& keyPath) {
  RegDeleteTreeA(HKEY_LOCAL_MACHINE, keyPath.c_str());
  RegDeleteKeyA(HKEY_LOCAL_MACHINE, keyPath.c_str());
}
