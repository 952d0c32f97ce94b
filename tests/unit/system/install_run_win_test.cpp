// RunInstall under Wine, with the small payloads that this test program carries as "KPX"
// resources (system_tests.rc.in): 119 holds four good entries; 201-203 fail at their second entry.
#include <gtest/gtest.h>

#include "setup/install_run.h"
#include "system/uninstall_key.h"
#include "tests/unit/system/system_test_env_win.h"

namespace {

const char kTestProduct[] = "KpxTest Install Product";
const std::string kKeyPath = std::string(UNINSTALL_KEY_ROOT) + kTestProduct;
constexpr int kGoodEntries = 4;  // entries of resource 119
constexpr int kMissingPayloadId = 999;

class InstallRunTest : public ShellFoldersTest {
 protected:
  InstallRunTest() {
    Package.ProductName = kTestProduct;
    Package.FileCount = kGoodEntries;
    Package.CreateUninstall = 1;
    Package.CreateDesktopShortcut = 0;
    snprintf(::Setup.InstallDirectory, kPathSize, "%s", install_.c_str());
    ::Setup.Installing = 0;
    ::Setup.FilesDone = 0;
    DeleteMachineKey(kKeyPath);
  }
  ~InstallRunTest() override { DeleteMachineKey(kKeyPath); }
  std::string ProductFolder() const { return programs_ + "\\" + kTestProduct; }

  const std::string install_ = MakeDirectory(root_.Join("install dir")) + "\\";
};

TEST_F(InstallRunTest, AllEntriesExtractedThenLinksAndRegistration) {
  ASSERT_EQ(kInstallSucceeded, RunInstall());
  EXPECT_EQ(0, ::Setup.Cancelled);
  EXPECT_EQ(1, ::Setup.Installing);
  EXPECT_EQ(uint32_t(kGoodEntries), ::Setup.FilesTotal);
  EXPECT_EQ(uint32_t(kGoodEntries), ::Setup.FilesDone);
  EXPECT_TRUE(FileExists(install_ + "docs\\deep\\note.txt"));
  EXPECT_EQ("docs|quorvel.exe|quorvel.hlp", ListDirectory(install_));
  EXPECT_TRUE(FileExists(ProductFolder() + "\\Uninstall " + kTestProduct + ".lnk"));
  std::string command;
  ASSERT_TRUE(ReadMachineString(kKeyPath, UNINSTALL_STRING_VALUE, command));
  EXPECT_EQ("\"" + install_ + "quorvel.exe\" /uninstall", command);
}

TEST_F(InstallRunTest, MoreEntriesThanFileCountIsAcceptedOneFewerFailsBeforeAnyLink) {
  for (int fileCount : {kGoodEntries + 1, kGoodEntries - 1}) {  // the failing run first
    SCOPED_TRACE(fileCount);
    Package.FileCount = fileCount;
    bool enough = fileCount <= kGoodEntries;
    EXPECT_EQ(enough ? kInstallSucceeded : kInstallFailed, RunInstall());
    EXPECT_EQ(enough ? 0 : 1, ::Setup.Cancelled);
    EXPECT_EQ(uint32_t(kGoodEntries), ::Setup.FilesDone);
    EXPECT_EQ(enough, DirectoryExists(ProductFolder()));
    EXPECT_EQ(enough, MachineKeyExists(kKeyPath));
  }
}

struct MiddleFailureRow {
  int resourceId;
  const char* label;
  uint32_t filesDone;      // output files created, the failing entry's own included
  const char* remaining;   // what is left in the install directory
};

const MiddleFailureRow kMiddleFailures[] = {
    {201, "broken magic: no file for the entry", 1, "quorvel.exe"},
    {202, "output file cannot be created", 1, "sub"},
    {203, "undecodable stream: file created, then deleted", 2, "a.txt"},
    {kMissingPayloadId, "no payload resource at all", 0, ""},
};

TEST_F(InstallRunTest, FailingEntryStopsTheRunAndNothingFollows) {
  for (const MiddleFailureRow& row : kMiddleFailures) {
    SCOPED_TRACE(row.label);
    TempDirectory target;
    snprintf(::Setup.InstallDirectory, kPathSize, "%s\\", target.Root().c_str());
    Package.FileCount = 3;
    EXPECT_EQ(kInstallFailed, RunInstallFromResource(row.resourceId));
    EXPECT_EQ(1, ::Setup.Cancelled);
    EXPECT_EQ(row.filesDone, ::Setup.FilesDone);
    EXPECT_EQ(row.remaining, ListDirectory(target.Root()));
    EXPECT_FALSE(DirectoryExists(ProductFolder()));
    EXPECT_FALSE(MachineKeyExists(kKeyPath));
  }
}

TEST_F(InstallRunTest, MissingProgramsFolderGivesNoShortcutsAndNoRegistration) {
  ShellFoldersOverride::SetValue("Programs", "");
  EXPECT_EQ(kInstallShortcutsFailed, RunInstall());
  EXPECT_EQ(0, ::Setup.Cancelled);
  EXPECT_TRUE(FileExists(install_ + "quorvel.exe"));
  EXPECT_FALSE(MachineKeyExists(kKeyPath));
}

TEST_F(InstallRunTest, WithoutCreateUninstallTheRegistryIsNotTouched) {
  Package.CreateUninstall = 0;
  EXPECT_EQ(kInstallSucceeded, RunInstall());
  EXPECT_FALSE(MachineKeyExists(kKeyPath));
  EXPECT_EQ(std::string(kTestProduct) + ".lnk|Quorvelane Help.lnk", ListDirectory(ProductFolder()));
}

TEST_F(InstallRunTest, EmptyInstallDirectoryFailsWithoutTouchingTheState) {
  for (int cancelled : {0, 1}) {
    ::Setup.InstallDirectory[0] = '\0';
    ::Setup.Cancelled = cancelled;
    ::Setup.FilesDone = 7;
    EXPECT_EQ(kInstallFailed, RunInstall());
    EXPECT_EQ(cancelled, ::Setup.Cancelled);
    EXPECT_EQ(0, ::Setup.Installing);
    EXPECT_EQ(7u, ::Setup.FilesDone);
  }
  EXPECT_EQ("", ListDirectory(install_.substr(0, install_.size() - 1)));
}

}  // namespace
