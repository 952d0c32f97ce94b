// The package description file of `kpx package`: reading (inih) and checking. Host only.
//
// The lengths are checked against the program's fixed buffers with the longest texts the program
// composes from each field. The user's Start-menu and desktop folders are not known here; they are
// assumed as long as kAssumedShellFolder, a typical per-user folder of the target systems.
#include "packer/package_description.h"

#include <INIReader.h>

#include <cstring>
#include <filesystem>

#include "packer/ansi_names.h"
#include "packer/product_files.h"
#include "setup/package_info.h"
#include "setup/setup_state.h"
#include "system/uninstall_key.h"
#include "ui/program_texts.h"

namespace {

constexpr char kSection[] = "package";
constexpr size_t kPathBuffer = kPathSize;       // paths, caption, shortcut and key paths
constexpr size_t kMessageBuffer = kMessageSize;  // finish question, browse title, launch command
constexpr char kFinishQuestion[] = "%s" FINISH_QUESTION_TAIL;
constexpr char kBrowseTitle[] = BROWSE_TITLE_PREFIX "%s" BROWSE_TITLE_SUFFIX;
constexpr char kCaptionPrefix[] = CAPTION_PREFIX;
constexpr char kUninstallKey[] = UNINSTALL_KEY_ROOT;
constexpr char kAssumedShellFolder[] = "C:\\Documents and Settings\\Administrator\\Start Menu\\Programs";

std::string Text(const INIReader& ini, const char* key, bool required) {
  if (required && !ini.HasValue(kSection, key))
    throw PackError(std::string(key) + ": missing in [package]");
  std::string converted;
  if (!Utf8ToCp1252(ini.Get(kSection, key, ""), converted))
    throw PackError(std::string(key) + ": has characters that code page 1252 cannot hold");
  return converted;
}

int Flag(const INIReader& ini, const char* key, bool fallback) {
  return ini.GetBoolean(kSection, key, fallback) ? 1 : 0;
}

// Throws naming field when text (formatted into a buffer of size bytes with its terminator)
// does not fit.
void CheckFits(const char* field, size_t length, size_t size, const char* where) {
  if (length + 1 > size)
    throw PackError(std::string(field) + ": too long for " + where + " (" + std::to_string(length) +
                    " characters, at most " + std::to_string(size - 1) + ")");
}

void CheckName(const char* field, const std::string& name) {
  if (const char* problem = WindowsNameProblem(name))
    throw PackError(std::string(field) + ": \"" + name + "\" is not a valid file or folder name (it " +
                    problem + ")");
}

void CheckTextLengths(const PackageDescription& d) {
  const size_t formatted = std::strlen(kFinishQuestion) - 2;  // without "%s"
  CheckFits("product_name", formatted + d.ProductName.size(), kMessageBuffer, "the finish question");
  CheckFits("product_name", std::strlen(kBrowseTitle) - 2 + d.ProductName.size(), kMessageBuffer,
            "the browse title");
  CheckFits("title", std::strlen(kCaptionPrefix) + d.Title.size(), kPathBuffer, "the caption");
  std::string install = DefaultInstallDirectory(d);
  CheckFits("default_base_directory", install.size() - 1, kPathBuffer, "the destination");
  CheckFits("program_base_name", install.size() + d.ProgramBaseName.size() + 4, kMessageBuffer,
            "the launch command");
  CheckFits("uninstall_argument", install.size() + d.ProgramBaseName.size() + 5 + d.UninstallArgument.size(),
            kPathBuffer, "the uninstall command");
  CheckFits("product_name", std::strlen(kUninstallKey) + d.ProductName.size(), kPathBuffer,
            "the uninstall key");
  std::string folder = std::string(kAssumedShellFolder) + "\\" + d.ProductName + "\\";
  CheckFits("product_name", folder.size() + std::strlen("Uninstall .lnk") + d.ProductName.size(),
            kPathBuffer, "the shortcut paths");
  if (d.CreateHelpShortcut) {
    CheckFits("help_shortcut_name", folder.size() + d.HelpShortcutName.size(), kPathBuffer,
              "the shortcut paths");
    CheckFits("help_file_name", install.size() + d.HelpFileName.size(), kPathBuffer,
              "the shortcut target");
  }
}

}  // namespace

PackageDescription ReadPackageDescription(const std::string& path) {
  INIReader ini(path);
  if (ini.ParseError() < 0) throw PackError(path + ": cannot read the file");
  if (ini.ParseError() > 0)
    throw PackError(path + ":" + std::to_string(ini.ParseError()) + ": syntax error");
  PackageDescription d;
  std::filesystem::path folder = Text(ini, "product_folder", true);
  d.ProductFolder = (std::filesystem::path(path).parent_path() / folder).string();
  d.Title = Text(ini, "title", true);
  d.ProductName = Text(ini, "product_name", true);
  d.DefaultFolderName = ini.HasValue(kSection, "default_folder_name")
                            ? Text(ini, "default_folder_name", true) : d.ProductName;
  d.ProgramBaseName = Text(ini, "program_base_name", true);
  d.CreateDesktopShortcut = Flag(ini, "create_desktop_shortcut", true);
  d.CreateUninstall = Flag(ini, "create_uninstall", true);
  d.UninstallArgument = Text(ini, "uninstall_argument", false);
  d.UninstallIconIndex = int(ini.GetInteger(kSection, "uninstall_icon_index", 0));
  d.CreateHelpShortcut = Flag(ini, "create_help_shortcut", false);
  d.HelpFileName = Text(ini, "help_file_name", d.CreateHelpShortcut != 0);
  d.HelpShortcutName = Text(ini, "help_shortcut_name", d.CreateHelpShortcut != 0);
  d.DefaultBaseDirectory = Text(ini, "default_base_directory", true);
  return d;
}

std::string DefaultInstallDirectory(const PackageDescription& d) {
  return d.DefaultBaseDirectory + "\\" + d.DefaultFolderName + "\\";
}

void CheckPackageDescription(const PackageDescription& d) {
  CheckName("product_name", d.ProductName);
  CheckName("default_folder_name", d.DefaultFolderName);
  CheckName("program_base_name", d.ProgramBaseName);
  if (d.Title.empty()) throw PackError("title: is empty");
  if (d.DefaultBaseDirectory.empty()) throw PackError("default_base_directory: is empty");
  if (d.UninstallArgument.size() + 1 > size_t(kUninstallArgumentSize))
    throw PackError("uninstall_argument: \"" + d.UninstallArgument + "\" does not fit its " +
                    std::to_string(kUninstallArgumentSize) + " bytes (at most " +
                    std::to_string(kUninstallArgumentSize - 1) + " characters)");
  if (d.CreateHelpShortcut) {
    CheckName("help_file_name", d.HelpFileName);
    CheckName("help_shortcut_name", d.HelpShortcutName);
  }
  CheckTextLengths(d);
}

void CheckPackageFiles(const PackageDescription& d, const std::vector<ProductFile>& files) {
  auto present = [&](const std::string& name) {
    for (const ProductFile& f : files) {
      if (f.Name == name) return true;
    }
    return false;
  };
  if (!present(d.ProgramBaseName + ".exe"))
    throw PackError("program_base_name: " + d.ProgramBaseName + ".exe is not at the top of " +
                    d.ProductFolder);
  if (d.CreateHelpShortcut && !present(d.HelpFileName))
    throw PackError("help_file_name: " + d.HelpFileName + " is not at the top of " + d.ProductFolder);
}
