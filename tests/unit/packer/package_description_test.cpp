// kpx package: the payload and the resolved description match the product, and each
// field the program relies on is checked by name before any output is written.
#include "packer/description/package_description.h"

#include <filesystem>
#include <map>

#include <gtest/gtest.h>

#include "packer/commands/commands.h"
#include "tests/support/test_paths.h"
#include "tests/support/scratch_dir.h"

namespace {

using Fields = std::map<std::string, std::string>;

// A product of the test's own (the sample's description has its one home in sample/), with
// default_folder_name and create_desktop_shortcut left to their defaults.
const Fields kDescription = {{"product_folder", "product"},
                             {"title", "Caf\xc3\xa9 Ledger 1.3"},
                             {"product_name", "Caf\xc3\xa9 Ledger"},
                             {"program_base_name", "ledger"},
                             {"create_uninstall", "yes"},
                             {"uninstall_argument", "/uninstall"},
                             {"uninstall_icon_index", "1"},
                             {"create_help_shortcut", "true"},
                             {"help_file_name", "ledger.hlp"},
                             {"help_shortcut_name", "Ledger Help.lnk"},
                             {"default_base_directory", "c:\\program files"}};

// Writes the description and a small product, and runs kpx package into DIR/out.
int RunPackage(const ScratchDir& dir, const Fields& fields) {
  std::string ini = "[package]\n";
  for (const auto& [key, value] : fields) ini += key + " = " + value + "\n";
  dir.Write("product/ledger.exe", std::string(3000, 'M'));
  dir.Write("product/ledger.hlp", "help");
  dir.Write("product/sub/data.txt", "data data data data");
  Options options;
  options.command = Command::Package;
  options.input = dir.Write("package.ini", ini);
  options.output = dir.Root() + "/out";
  return RunCommand(options);
}

TEST(PackageCommand, WritesPayloadAndResolvedDescription) {
  ScratchDir dir;
  dir.Write("out/program.ico", "old");  // a description without an icon drops it
  ASSERT_EQ(RunPackage(dir, kDescription), 0);
  EXPECT_FALSE(std::filesystem::exists(dir.Root() + "/out/program.ico"));
  const std::string resolved =
      "product_folder=" + std::filesystem::absolute(dir.Path("product")).string() +
      "\n"
      "title=Caf\xc3\xa9 Ledger 1.3\n"
      "product_name=Caf\xc3\xa9 Ledger\n"
      "default_folder_name=Caf\xc3\xa9 Ledger\n"
      "program_base_name=ledger\n"
      "create_desktop_shortcut=1\n"
      "create_uninstall=1\n"
      "uninstall_argument=/uninstall\n"
      "uninstall_icon_index=1\n"
      "create_help_shortcut=1\n"
      "help_file_name=ledger.hlp\n"
      "help_shortcut_name=Ledger Help.lnk\n"
      "default_base_directory=c:\\program files\n"
      "icon=\n";
  EXPECT_EQ(ReadWholeFile(dir.Root() + "/out/description.txt"), resolved);
  std::string payload = ReadWholeFile(dir.Root() + "/out/payload.kpx");
  EXPECT_EQ(payload.substr(20, 11), std::string("ledger.exe\0", 11)) << "program file first";
}

TEST(PackageCommand, EachBadFieldIsRefusedByNameAndNothingIsWritten) {
  const std::pair<Fields, const char*> cases[] = {
      {{{"product_name", ""}}, "product_name: \"\" is not a valid"},
      {{{"program_base_name", "q:x"}}, "program_base_name"},
      {{{"help_shortcut_name", "Help?.lnk"}}, "help_shortcut_name"},
      {{{"help_file_name", "*.hlp"}}, "help_file_name"},
      {{{"uninstall_argument", "/uninstall-x"}}, "uninstall_argument"},
      {{{"product_name", std::string(172, 'P')}}, "product_name: too long for the finish question"},
      {{{"title", std::string(249, 'T')}}, "title: too long for the caption"},
      {{{"default_base_directory", "c:\\" + std::string(247, 'd')}},
       "default_base_directory: too long"},
      {{{"help_shortcut_name", std::string(190, 'h')}}, "help_shortcut_name: too long"},
      {{{"default_base_directory", "c:\\" + std::string(223, 'd')}}, "too long"},
      {{{"program_base_name", "missing"}}, "program_base_name: missing.exe is not"},
      {{{"help_file_name", "absent.hlp"}}, "help_file_name: absent.hlp is not"},
      {{{"title", "\xe6\x97\xa5"}}, "title: has characters that code page 1252"},
      {{{"product_folder", "elsewhere"}}, "elsewhere"},
      // The help file is not needed without its shortcut.
      {{{"create_help_shortcut", "false"}, {"help_file_name", "absent.hlp"}}, nullptr},
  };
  for (const auto& [change, message] : cases) {
    SCOPED_TRACE(message ? message : "accepted");
    ScratchDir dir;
    Fields fields = kDescription;
    for (const auto& [key, value] : change) fields[key] = value;
    testing::internal::CaptureStderr();
    EXPECT_EQ(RunPackage(dir, fields), message ? 1 : 0);
    std::string error = testing::internal::GetCapturedStderr();
    EXPECT_NE(error.find(message ? message : ""), std::string::npos) << error;
    EXPECT_EQ(std::filesystem::exists(dir.Root() + "/out/payload.kpx"), message == nullptr);
  }
}

}  // namespace
