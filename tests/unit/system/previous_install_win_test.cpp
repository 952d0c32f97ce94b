// Detection of an earlier installation and removal of the previous generation, under Wine.
#include <gtest/gtest.h>

#include "system/previous_install.h"
#include "system/uninstall_key.h"
#include "tests/unit/system/system_test_env_win.h"

namespace {

struct DetectionRow {
  const char* label;
  bool program;     // quorvel.exe present
  const char* ini;  // content of quorvel.ini, or null for no file
  int expected;
};

const DetectionRow kDetectionRows[] = {
    {"no program, ini with both keys", false,
     "[Quorvel]\nSwap_R&B=1\n[Quorvelane]\nUseMMX=1\n", kNoPreviousProgram},
    {"program without ini", true, nullptr, kUnknownProgramFound},
    {"previous generation", true, "[Quorvel]\nSwap_R&B=0\n", kPreviousGenerationFound},
    {"both keys: previous generation first", true,
     "[Quorvelane]\nUseMMX=1\n[Quorvel]\nSwap_R&B=1\n",
     kPreviousGenerationFound},
    {"current product", true, "[Quorvelane]\nUseMMX=0\n", kCurrentProductFound},
    {"key reading -1 counts as missing", true, "[Quorvelane]\nUseMMX=-1\n", kUnknownProgramFound},
    {"keys in the wrong sections", true, "[Quorvel]\nUseMMX=1\n[Other]\nSwap_R&B=1\n",
     kUnknownProgramFound},
};

TEST(DetectPreviousInstall, ClassifiesEachKindOfDirectoryWithOrWithoutTrailingSeparator) {
  for (const DetectionRow& row : kDetectionRows) {
    SCOPED_TRACE(row.label);
    TempDirectory directory;
    if (row.program) WriteTextFile(directory.Join("quorvel.exe"), "MZ");
    if (row.ini != nullptr) WriteTextFile(directory.Join("quorvel.ini"), row.ini);
    EXPECT_EQ(row.expected, DetectPreviousInstall(directory.Root().c_str()));
    EXPECT_EQ(row.expected, DetectPreviousInstall((directory.Root() + "\\").c_str()));
  }
}

TEST(DetectPreviousInstall, ProgramInAnotherDirectoryOnThePathIsNotFound) {
  TempDirectory directory;
  MakeDirectory(directory.Join("sub"));
  WriteTextFile(directory.Join("quorvel.exe"), "MZ");
  EXPECT_EQ(kNoPreviousProgram, DetectPreviousInstall(directory.Join("sub").c_str()));
}

class RemoveLegacyVersionTest : public ShellFoldersTest {
 protected:
  RemoveLegacyVersionTest() { DeleteMachineKey(PREVIOUS_UNINSTALL_KEY); }
  ~RemoveLegacyVersionTest() override { DeleteMachineKey(PREVIOUS_UNINSTALL_KEY); }

  const std::string install_ = MakeDirectory(root_.Join("old product"));
};

TEST_F(RemoveLegacyVersionTest, RemovesListedFilesShortcutsAndKeyAndKeepsTemplates) {
  for (const char* name : {"readme.txt", "quorvel.exe", "quorvel.ini", "quorvel.gid", "mine.txt"}) {
    WriteTextFile(install_ + "\\" + name, name);
  }
  WriteTextFile(install_ + "\\templates\\letter.tpl", "t");
  std::string menu = programs_ + "\\quorvel";
  WriteTextFile(menu + "\\quorvel.lnk", "l");
  WriteTextFile(menu + "\\Extras\\Deeper\\tool.lnk", "l");
  WriteTextFile(desktop_ + "\\quorvel.lnk", "l");
  WriteTextFile(desktop_ + "\\other.lnk", "l");
  WriteMachineString(PREVIOUS_UNINSTALL_KEY, DISPLAY_NAME_VALUE, "Quorvel");
  WriteMachineString(PREVIOUS_UNINSTALL_KEY, UNINSTALL_STRING_VALUE, "x");

  RemoveLegacyVersion(install_.c_str());

  EXPECT_EQ("mine.txt|oldtemplates", ListDirectory(install_));
  EXPECT_TRUE(FileExists(install_ + "\\oldtemplates\\letter.tpl"));
  EXPECT_FALSE(DirectoryExists(menu));
  EXPECT_EQ("other.lnk", ListDirectory(desktop_));
  EXPECT_FALSE(MachineKeyExists(PREVIOUS_UNINSTALL_KEY));
}

TEST_F(RemoveLegacyVersionTest, ExistingOldTemplatesKeepsTemplatesUnderItsName) {
  WriteTextFile(install_ + "\\templates\\new.tpl", "n");
  WriteTextFile(install_ + "\\oldtemplates\\old.tpl", "o");
  RemoveLegacyVersion((install_ + "\\").c_str());
  EXPECT_EQ("new.tpl", ListDirectory(install_ + "\\templates"));
  EXPECT_EQ("old.tpl", ListDirectory(install_ + "\\oldtemplates"));
}

TEST_F(RemoveLegacyVersionTest, MissingKeyAndMissingShortcutsChangeNothingElse) {
  WriteTextFile(install_ + "\\regform.txt", "r");
  WriteTextFile(desktop_ + "\\Quorvelane.lnk", "new product's link");
  RemoveLegacyVersion(install_.c_str());
  EXPECT_EQ("", ListDirectory(install_));
  EXPECT_EQ("Quorvelane.lnk", ListDirectory(desktop_));
  EXPECT_FALSE(MachineKeyExists(PREVIOUS_UNINSTALL_KEY));
}

TEST_F(RemoveLegacyVersionTest, DesktopLinkGoesEvenWithoutAProgramsFolder) {
  ShellFoldersOverride::SetValue("Programs", "");
  std::string menu = MakeDirectory(programs_ + "\\quorvel");
  WriteTextFile(desktop_ + "\\quorvel.lnk", "l");
  RemoveLegacyVersion(install_.c_str());
  EXPECT_EQ("", ListDirectory(desktop_));
  EXPECT_TRUE(DirectoryExists(menu));
}

}  // namespace
