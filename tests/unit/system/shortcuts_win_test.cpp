// Shortcuts under Wine, with the user's shell folders redirected to a temporary directory: which
// links are made, and what happens to a product folder that exists. What the links hold is read
// back by the install suite (tests/e2e/install.bash).
#include <gtest/gtest.h>

#include "system/shortcuts.h"
#include "tests/unit/system/system_test_env_win.h"

#define WIN32_LEAN_AND_MEAN
#include <windows.h>

namespace {

class ShortcutsTest : public ShellFoldersTest {
 protected:
  ShortcutsTest() {
    snprintf(::Setup.InstallDirectory, kPathSize, "%s\\install dir\\", root_.Root().c_str());
    Package.CreateDesktopShortcut = 1;
    Package.CreateHelpShortcut = 1;
    Package.CreateUninstall = 1;
  }
  std::string ProductFolder() const { return programs_ + "\\Quorvelane"; }
};

TEST_F(ShortcutsTest, ExistingProductFolderIsEmptiedFirstExceptDotFoldersAndReadOnlyFiles) {
  std::string folder = ProductFolder();
  WriteTextFile(folder + "\\old.lnk", "old");
  WriteTextFile(folder + "\\sub\\deeper\\file.txt", "x");
  WriteTextFile(folder + "\\.keep\\inner.txt", "kept");
  WriteTextFile(folder + "\\.hidden", "dot file");
  WriteTextFile(folder + "\\readonly.txt", "read only");
  SetFileAttributesA((folder + "\\readonly.txt").c_str(), FILE_ATTRIBUTE_READONLY);

  ASSERT_EQ(kShortcutsDone, CreateShortcuts());
  EXPECT_EQ(".keep|Quorvelane Help.lnk|Quorvelane.lnk|Uninstall Quorvelane.lnk|readonly.txt",
            ListDirectory(folder));
  EXPECT_TRUE(FileExists(folder + "\\.keep\\inner.txt"));
}

TEST_F(ShortcutsTest, RunningTwiceLeavesTheSameLinks) {
  ASSERT_EQ(kShortcutsDone, CreateShortcuts());
  std::string first = ListDirectory(ProductFolder());
  RedirectAgain();
  ASSERT_EQ(kShortcutsDone, CreateShortcuts());
  EXPECT_EQ(first, ListDirectory(ProductFolder()));
  EXPECT_EQ("Quorvelane.lnk", ListDirectory(desktop_));
}

TEST_F(ShortcutsTest, FolderValuesAndPackageFlagsDecideWhichLinksAreMade) {
  const std::string kAll = "Quorvelane Help.lnk|Quorvelane.lnk|Uninstall Quorvelane.lnk";
  const struct {
    const char* label;
    const char* programsValue;  // the value names that are set; "" for none
    const char* desktopValue;
    int flags;  // the three Create* flags of the package
    int expected;
    std::string productFolder, desktop;  // listings afterwards
  } rows[] = {
      {"value names in other letter cases", "PROGRAMS", "deskTOP", 1, kShortcutsDone, kAll,
       "Quorvelane.lnk"},
      {"no Programs value: nothing at all", "", "Desktop", 1, kShortcutsNoProgramsFolder, "", ""},
      {"no Desktop value: no desktop link", "Programs", "", 1, kShortcutsDone, kAll, ""},
      {"flags off", "Programs", "Desktop", 0, kShortcutsDone, "Quorvelane.lnk", ""},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.label);
    TempDirectory root;
    std::string programs = MakeDirectory(root.Join("Programs"));
    std::string desktop = MakeDirectory(root.Join("Desktop"));
    ShellFoldersOverride folders("", "");
    if (*row.programsValue) ShellFoldersOverride::SetValue(row.programsValue, programs);
    if (*row.desktopValue) ShellFoldersOverride::SetValue(row.desktopValue, desktop);
    Package.CreateDesktopShortcut = Package.CreateHelpShortcut = Package.CreateUninstall = row.flags;
    EXPECT_EQ(row.expected, CreateShortcuts());
    EXPECT_EQ(row.expected == kShortcutsDone, DirectoryExists(programs + "\\Quorvelane"));
    EXPECT_EQ(row.productFolder, ListDirectory(programs + "\\Quorvelane"));
    EXPECT_EQ(row.desktop, ListDirectory(desktop));
  }
}

}  // namespace
