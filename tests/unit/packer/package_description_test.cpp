// kpx package: the description file is read, every field the program relies on is checked, and
// the generated record matches the product.
#include "packer/package_description.h"

#include <filesystem>
#include <map>

#include <gtest/gtest.h>

#include "packer/commands.h"
#include "packer/package_source.h"
#include "tests/support/test_paths.h"
#include "tests/support/scratch_dir.h"

namespace {

using Fields = std::map<std::string, std::string>;

Fields ShippedFields() {
  return {{"product_folder", "product"}, {"title", "Quorvelane version 2.08"},
          {"product_name", "Quorvelane"}, {"default_folder_name", "Quorvelane"},
          {"program_base_name", "quorvel"}, {"create_desktop_shortcut", "true"},
          {"create_uninstall", "true"}, {"uninstall_argument", "/uninstall"},
          {"uninstall_icon_index", "1"}, {"create_help_shortcut", "true"},
          {"help_file_name", "quorvel.hlp"}, {"help_shortcut_name", "Quorvelane Help.lnk"},
          {"default_base_directory", "c:\\program files"}};
}

// Writes the description file and a small product; returns the description's path.
std::string MakePackage(const ScratchDir& dir, const Fields& fields) {
  std::string ini = "[package]\n";
  for (const auto& [key, value] : fields) ini += key + " = " + value + "\n";
  dir.Write("product/quorvel.exe", std::string(3000, 'M'));
  dir.Write("product/quorvel.hlp", "help");
  dir.Write("product/sub/data.txt", "data data data data");
  return dir.Write("package.ini", ini);
}

int RunPackage(const std::string& ini, const std::string& out) {
  Options options;
  options.command = Command::Package;
  options.input = ini;
  options.output = out;
  return RunCommand(options);
}

TEST(PackageCommand, WritesPayloadAndTheShippedRecord) {
  ScratchDir dir;
  std::string out = dir.Root() + "/out";
  ASSERT_EQ(RunPackage(MakePackage(dir, ShippedFields()), out), 0);
  std::string source = ReadWholeFile(out + "/package_info.cpp");
  EXPECT_NE(source.find("PackageInfo Package = {\n    1,  // CreateDesktopShortcut\n"
                        "    3,  // FileCount\n    \"Quorvelane version 2.08\",  // Title\n"),
            std::string::npos) << source;
  EXPECT_NE(source.find("\"c:\\\\program files\",  // DefaultBaseDirectory\n};"), std::string::npos);
  std::string payload = ReadWholeFile(out + "/payload.kpx");
  EXPECT_EQ(payload.substr(20, 12), std::string("quorvel.exe\0", 12)) << "program file first";
}

struct FieldCase {
  const char* what;
  void (*change)(PackageDescription&);
  const char* message;
};

TEST(PackageDescription, EachBadFieldIsRefusedByName) {
  const FieldCase cases[] = {
      {"empty product name", [](PackageDescription& d) { d.ProductName = ""; }, "product_name: \"\" is not a valid"},
      {"product name with /", [](PackageDescription& d) { d.ProductName = "A/B"; }, "product_name"},
      {"folder name ..", [](PackageDescription& d) { d.DefaultFolderName = ".."; }, "default_folder_name"},
      {"program name with :", [](PackageDescription& d) { d.ProgramBaseName = "q:x"; }, "program_base_name"},
      {"help shortcut with ?", [](PackageDescription& d) { d.HelpShortcutName = "Help?.lnk"; }, "help_shortcut_name"},
      {"help file with *", [](PackageDescription& d) { d.HelpFileName = "*.hlp"; }, "help_file_name"},
      {"uninstall argument of 12", [](PackageDescription& d) { d.UninstallArgument = "/uninstall-x"; }, "uninstall_argument"},
      {"finish question", [](PackageDescription& d) { d.ProductName = std::string(172, 'P'); }, "product_name: too long for the finish question"},
      {"caption", [](PackageDescription& d) { d.Title = std::string(249, 'T'); }, "title: too long for the caption"},
      {"destination", [](PackageDescription& d) { d.DefaultBaseDirectory = std::string(250, 'd'); }, "default_base_directory: too long"},
      {"shortcut path", [](PackageDescription& d) { d.HelpShortcutName = std::string(190, 'h'); }, "help_shortcut_name: too long for the shortcut paths"},
      {"uninstall command", [](PackageDescription& d) { d.DefaultBaseDirectory = std::string(226, 'd'); }, "too long"},
  };
  ScratchDir dir;
  const PackageDescription shipped = ReadPackageDescription(MakePackage(dir, ShippedFields()));
  for (const FieldCase& c : cases) {
    SCOPED_TRACE(c.what);
    PackageDescription d = shipped;
    EXPECT_NO_THROW(CheckPackageDescription(d));
    c.change(d);
    try {
      CheckPackageDescription(d);
      ADD_FAILURE() << "accepted";
    } catch (const KpxError& e) {
      EXPECT_NE(std::string(e.what()).find(c.message), std::string::npos) << e.what();
    }
  }
}

TEST(PackageCommand, MissingFilesAndUnreadableFieldsAreRefusedByName) {
  const std::pair<Fields, const char*> cases[] = {
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
    Fields fields = ShippedFields();
    for (const auto& [key, value] : change) fields[key] = value;
    testing::internal::CaptureStderr();
    EXPECT_EQ(RunPackage(MakePackage(dir, fields), dir.Root() + "/out"), message ? 1 : 0);
    std::string error = testing::internal::GetCapturedStderr();
    EXPECT_NE(error.find(message ? message : ""), std::string::npos) << error;
    EXPECT_EQ(std::filesystem::exists(dir.Root() + "/out/payload.kpx"), message == nullptr);
  }
}

TEST(PackageSource, LiteralsKeepEveryByte) {
  EXPECT_EQ(CppStringLiteral("c:\\a \"b\""), "\"c:\\\\a \\\"b\\\"\"");
  EXPECT_EQ(CppStringLiteral("caf\xe9\n1"), "\"caf\\351\\0121\"");
}

}  // namespace
