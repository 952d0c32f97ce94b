// The sample product's own uninstall, end to end under Wine: the real payload (resource 204 of
// this test program) is installed by RunInstall, then the installed quorvel.exe runs with
// "/uninstall /quiet" and must leave no trace of the product, but every file of the user's.
#include <gtest/gtest.h>

#include "setup/install_run.h"
#include "system/uninstall_key.h"
#include "tests/unit/system/system_test_env_win.h"

#define WIN32_LEAN_AND_MEAN
#include <windows.h>

namespace {

constexpr int kSamplePayloadId = 204;
constexpr int kSampleEntries = 77;
const std::string kKeyPath = std::string(UNINSTALL_KEY_ROOT) + "Quorvelane";

class ProductUninstallTest : public ShellFoldersTest {
 protected:
  ProductUninstallTest() {
    Package.FileCount = kSampleEntries;
    Package.CreateDesktopShortcut = 1;
    snprintf(::Setup.InstallDirectory, kPathSize, "%s", install_.c_str());
    DeleteMachineKey(kKeyPath);
  }
  ~ProductUninstallTest() override { DeleteMachineKey(kKeyPath); }

  // Runs the installed program with "/uninstall /quiet" and waits for it; then waits (bounded)
  // until the helper copy that it starts has deleted quorvel.exe and, when folderGoes, removed the
  // install folder.
  void RunInstalledUninstall(bool folderGoes) {
    RedirectAgain();
    // The extraction left this process inside the install folder, which would keep it alive.
    SetCurrentDirectoryA(root_.Root().c_str());
    std::string program = install_ + "quorvel.exe";
    std::string commandLine = "\"" + program + "\" /uninstall /quiet";
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process;
    ASSERT_TRUE(CreateProcessA(program.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0,
                               nullptr, root_.Root().c_str(), &startup, &process));
    WaitForSingleObject(process.hProcess, 60000);
    DWORD exitCode = 1;
    GetExitCodeProcess(process.hProcess, &exitCode);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    EXPECT_EQ(0u, exitCode);
    for (int tries = 0; tries < 300 && FileExists(program); ++tries) Sleep(100);
    for (int tries = 0; tries < 300 && folderGoes && DirectoryExists(install_); ++tries) Sleep(100);
  }

  const std::string install_ = MakeDirectory(root_.Join("program files\\Quorvelane\\"));
};

TEST_F(ProductUninstallTest, InstallThenUninstallLeavesNoTrace) {
  ASSERT_EQ(kInstallSucceeded, RunInstallFromResource(kSamplePayloadId));
  ASSERT_TRUE(FileExists(programs_ + "\\Quorvelane\\Uninstall Quorvelane.lnk"));
  ASSERT_TRUE(MachineKeyExists(kKeyPath));
  RunInstalledUninstall(true);
  EXPECT_FALSE(DirectoryExists(install_));
  EXPECT_EQ("Desktop|Programs|program files", ListDirectory(root_.Root()));
  EXPECT_EQ("", ListDirectory(programs_));
  EXPECT_EQ("", ListDirectory(desktop_));
  EXPECT_FALSE(MachineKeyExists(kKeyPath));
}

TEST_F(ProductUninstallTest, UsersOwnFilesAndTheirFoldersStay) {
  ASSERT_EQ(kInstallSucceeded, RunInstallFromResource(kSamplePayloadId));
  WriteTextFile(install_ + "my letter.qvd", "mine");
  WriteTextFile(install_ + "templates\\business\\my quote.tpl", "mine");
  WriteTextFile(programs_ + "\\Quorvelane\\my notes.txt", "mine");
  RunInstalledUninstall(false);
  EXPECT_EQ("my letter.qvd|templates", ListDirectory(install_));
  EXPECT_EQ("business", ListDirectory(install_ + "templates"));
  EXPECT_EQ("my quote.tpl", ListDirectory(install_ + "templates\\business"));
  EXPECT_EQ("my notes.txt", ListDirectory(programs_ + "\\Quorvelane"));
  EXPECT_FALSE(MachineKeyExists(kKeyPath));
}

}  // namespace
