// RegisterUninstall writes the product's entry whole or not at all: an install folder so long that
// the command does not fit leaves no name behind that could never be removed from the list.
#include <gtest/gtest.h>

#include <string>

#include "system/uninstall_key.h"
#include "setup/package_info.h"
#include "setup/setup_state.h"

#define WIN32_LEAN_AND_MEAN
#include <windows.h>

namespace {

// Puts the shared records back when a test ends.
class SharedStateGuard {
 public:
  SharedStateGuard() : package_(Package), setup_(Setup) {}
  ~SharedStateGuard() { Package = package_; Setup = setup_; }

 private:
  PackageInfo package_;
  SetupState setup_;
};

void DeleteMachineKey(const std::string& path) { RegDeleteKeyA(HKEY_LOCAL_MACHINE, path.c_str()); }

bool ReadMachineString(const std::string& path, const char* name, std::string& data) {
  char buffer[1024];
  DWORD size = sizeof buffer;
  if (RegGetValueA(HKEY_LOCAL_MACHINE, path.c_str(), name, RRF_RT_REG_SZ, nullptr, buffer,
                   &size) != ERROR_SUCCESS) {
    return false;
  }
  data = buffer;
  return true;
}

const char kProduct[] = "KpxUninstallKeyTest";
const std::string kKeyPath = std::string(UNINSTALL_KEY_ROOT) + kProduct;

TEST(RegisterUninstall, WritesBothValuesOrNeither) {
  SharedStateGuard state;
  Package.ProductName = kProduct;
  struct Row {
    size_t folderLength;  // of InstallDirectory, its trailing '\' included
    UninstallKeyResult result;
  } rows[] = {{20, kUninstallKeyWritten}, {236, kUninstallCommandTooLong}};
  for (const Row& row : rows) {
    SCOPED_TRACE(row.folderLength);
    DeleteMachineKey(kKeyPath);
    const std::string folder = "C:\\" + std::string(row.folderLength - 4, 'f') + "\\";
    snprintf(::Setup.InstallDirectory, kPathSize, "%s", folder.c_str());
    EXPECT_EQ(row.result, RegisterUninstall());
    std::string name, command;
    const bool hasName = ReadMachineString(kKeyPath, DISPLAY_NAME_VALUE, name);
    EXPECT_EQ(hasName, ReadMachineString(kKeyPath, UNINSTALL_STRING_VALUE, command));
    EXPECT_EQ(row.result == kUninstallKeyWritten, hasName);
  }
  DeleteMachineKey(kKeyPath);
}

}  // namespace
