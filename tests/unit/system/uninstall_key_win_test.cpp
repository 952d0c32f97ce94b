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

const char kProduct[] = "KpxUninstallKeyTest";
const std::string kKeyPath = std::string(UNINSTALL_KEY_ROOT) + kProduct;

bool HasMachineValue(const char* name) {
  return RegGetValueA(HKEY_LOCAL_MACHINE, kKeyPath.c_str(), name, RRF_RT_REG_SZ, nullptr, nullptr,
                      nullptr) == ERROR_SUCCESS;
}

TEST(RegisterUninstall, WritesBothValuesOrNeither) {
  const PackageInfo package = Package;  // the shared records, put back at the end
  const SetupState setup = ::Setup;
  Package.ProductName = kProduct;
  Package.ProgramBaseName = "quorvel";  // the lengths below are measured with these two
  snprintf(Package.UninstallArgument, kUninstallArgumentSize, "%s", "/uninstall");
  const struct {
    size_t FolderLength;  // of InstallDirectory, its trailing '\' included
    UninstallKeyResult Result;
  } rows[] = {{20, kUninstallKeyWritten}, {236, kUninstallCommandTooLong}};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.FolderLength);
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, kKeyPath.c_str());
    const std::string folder = "C:\\" + std::string(row.FolderLength - 4, 'f') + "\\";
    snprintf(::Setup.InstallDirectory, kPathSize, "%s", folder.c_str());
    const UninstallKeyResult result = RegisterUninstall();
    EXPECT_EQ(row.Result, result);
    EXPECT_EQ(row.Result == kUninstallKeyWritten, result > 0);  // only success is positive
    const bool hasName = HasMachineValue(DISPLAY_NAME_VALUE);
    EXPECT_EQ(hasName, HasMachineValue(UNINSTALL_STRING_VALUE));
    EXPECT_EQ(row.Result == kUninstallKeyWritten, hasName);
  }
  RegDeleteKeyA(HKEY_LOCAL_MACHINE, kKeyPath.c_str());
  Package = package;
  ::Setup = setup;
}

}  // namespace
