// The package description file of `kpx package`: reading (one table of keys) and checking. Host only.
//
// The lengths are checked against the program's fixed buffers with the longest texts the program
// composes from each field. The user's Start-menu and desktop folders are not known here; they are
// assumed as long as kAssumedShellFolder, a typical per-user folder of the target systems.
#include "packer/description/package_description.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <iterator>
#include <limits>

#include "packer/payload/ansi_names.h"
#include "packer/description/ini_section.h"
#include "packer/printable_text.h"
#include "packer/payload/product_files.h"
#include "setup/package_info.h"
#include "setup/setup_state.h"
#include "system/uninstall_key.h"
#include "ui/program_texts.h"

namespace {

constexpr char kSection[] = "package";
constexpr size_t kPathBuffer = kPathSize;        // paths, caption, shortcut and key paths
constexpr size_t kMessageBuffer = kMessageSize;  // finish question, browse title, launch command
constexpr char kFinishQuestion[] = "%s" FINISH_QUESTION_TAIL;
constexpr char kBrowseTitle[] = BROWSE_TITLE_PREFIX "%s" BROWSE_TITLE_SUFFIX;
constexpr char kCaptionPrefix[] = CAPTION_PREFIX;
constexpr char kUninstallKey[] = UNINSTALL_KEY_ROOT;
constexpr char kAssumedShellFolder[] =
    "C:\\Documents and Settings\\Administrator\\Start Menu\\Programs";

// Folders that Windows itself keeps directly in a Start menu's Programs folder (from one version
// or another). The install empties the product's Start-menu folder, Programs\product_name, before
// it writes its links, so a product must never take one of these names.
constexpr const char* kWindowsProgramsFolders[] = {
    "Startup",
    "Accessories",
    "Accessibility",
    "Administrative Tools",
    "Ease of Access",
    "Extras and Upgrades",
    "Games",
    "Maintenance",
    "System Tools",
    "Tablet PC",
    "Windows Accessories",
    "Windows Administrative Tools",
    "Windows Ease of Access",
    "Windows PowerShell",
    "Windows System",
    "Windows Tools",
};

enum class KeyType { Text, Path, Flag, Integer };

// A key of the description: its type and where its value goes. Text becomes code page 1252; a
// path stays as the host spells it and is taken relative to the description file's folder.
struct DescriptionKey {
  const char* Name;
  KeyType Type;
  bool Required;
  std::string PackageDescription::*Text;  // Text and Path
  int PackageDescription::*Number;        // Flag and Integer
};

// Every key the description may give; the fields' defaults are those of PackageDescription.
// default_folder_name (default: product_name) and the help file keys (required with the help
// shortcut) are settled after the table.
constexpr DescriptionKey kKeys[] = {
    {"product_folder", KeyType::Path, true, &PackageDescription::ProductFolder, nullptr},
    {"title", KeyType::Text, true, &PackageDescription::Title, nullptr},
    {"product_name", KeyType::Text, true, &PackageDescription::ProductName, nullptr},
    {"default_folder_name", KeyType::Text, false, &PackageDescription::DefaultFolderName, nullptr},
    {"program_base_name", KeyType::Text, true, &PackageDescription::ProgramBaseName, nullptr},
    {"create_desktop_shortcut", KeyType::Flag, false, nullptr,
     &PackageDescription::CreateDesktopShortcut},
    {"create_uninstall", KeyType::Flag, false, nullptr, &PackageDescription::CreateUninstall},
    {"uninstall_argument", KeyType::Text, false, &PackageDescription::UninstallArgument, nullptr},
    {"uninstall_icon_index", KeyType::Integer, false, nullptr,
     &PackageDescription::UninstallIconIndex},
    {"create_help_shortcut", KeyType::Flag, false, nullptr,
     &PackageDescription::CreateHelpShortcut},
    {"help_file_name", KeyType::Text, false, &PackageDescription::HelpFileName, nullptr},
    {"help_shortcut_name", KeyType::Text, false, &PackageDescription::HelpShortcutName, nullptr},
    {"default_base_directory", KeyType::Text, true, &PackageDescription::DefaultBaseDirectory,
     nullptr},
    {"icon", KeyType::Path, false, &PackageDescription::Icon, nullptr},
};

[[noreturn]] void FailField(const PackageDescription& d, const std::string& key,
                            const std::string& what) {
  throw KpxError(KeyLocation(d, key) + key + ": " + what);
}

// The number of single-character edits that turn a into b.
size_t EditDistance(const std::string& a, const std::string& b) {
  std::vector<size_t> row(b.size() + 1);
  for (size_t j = 0; j <= b.size(); ++j) row[j] = j;
  for (size_t i = 1; i <= a.size(); ++i) {
    size_t diagonal = row[0];
    row[0] = i;
    for (size_t j = 1; j <= b.size(); ++j) {
      size_t above = row[j];
      row[j] = std::min({above + 1, row[j - 1] + 1, diagonal + (a[i - 1] == b[j - 1] ? 0 : 1)});
      diagonal = above;
    }
  }
  return row[b.size()];
}

std::string UnknownKeyText(const std::string& key) {
  const DescriptionKey* nearest = &kKeys[0];
  for (const DescriptionKey& known : kKeys) {
    if (EditDistance(key, known.Name) < EditDistance(key, nearest->Name)) nearest = &known;
  }
  if (EditDistance(key, nearest->Name) <= std::max<size_t>(2, key.size() / 2))
    return "unknown key (did you mean " + std::string(nearest->Name) + "?)";
  std::string names;
  for (const DescriptionKey& known : kKeys) {
    names += std::string(names.empty() ? "" : ", ") + known.Name;
  }
  return "unknown key (the keys are " + names + ")";
}

bool ParseFlag(std::string value, int* flag) {
  for (char& c : value) c = char(std::tolower(uint8_t(c)));
  for (const char* yes : {"true", "yes", "on", "1"}) {
    if (value == yes) return *flag = 1, true;
  }
  for (const char* no : {"false", "no", "off", "0"}) {
    if (value == no) return *flag = 0, true;
  }
  return false;
}

// Decimal digits with an optional '-', within the range of an int.
bool ParseInteger(const std::string& value, int* number) {
  const size_t digits = value.compare(0, 1, "-") == 0 ? 1 : 0;
  if (value.size() == digits || value.size() - digits > 10 ||
      value.find_first_not_of("0123456789", digits) != std::string::npos)
    return false;
  const long long parsed = std::stoll(value);
  if (parsed < std::numeric_limits<int>::min() || parsed > std::numeric_limits<int>::max())
    return false;
  *number = int(parsed);
  return true;
}

// Stores one setting's value in its field; throws naming the line when it holds a control
// character (NUL, TAB, ESC, any below 0x20, DEL) or is not of the key's type.
void Store(PackageDescription& d, const DescriptionKey& key, const std::string& value) {
  for (char c : value) {
    if (uint8_t(c) < 0x20 || c == 0x7F) {
      char byte[8];
      std::snprintf(byte, sizeof byte, "0x%02X", uint8_t(c));
      FailField(d, key.Name, std::string("holds a control character (byte ") + byte + ")");
    }
  }
  switch (key.Type) {
    case KeyType::Path:
      d.*key.Text = (std::filesystem::path(d.SourcePath).parent_path() / value).string();
      return;
    case KeyType::Text:
      if (!Utf8ToCp1252(value, d.*key.Text))
        FailField(d, key.Name, "has characters that code page 1252 cannot hold");
      return;
    case KeyType::Flag:
      if (!ParseFlag(value, &(d.*key.Number)))
        FailField(
            d, key.Name,
            "\"" + value + "\" is not a boolean (true or false, yes or no, on or off, 1 or 0)");
      return;
    case KeyType::Integer:
      if (!ParseInteger(value, &(d.*key.Number)))
        FailField(d, key.Name,
                  "\"" + value + "\" is not an integer from " +
                      std::to_string(std::numeric_limits<int>::min()) + " to " +
                      std::to_string(std::numeric_limits<int>::max()));
      return;
  }
}

// Throws naming field when text (formatted into a buffer of size bytes with its terminator)
// does not fit.
void CheckFits(const PackageDescription& d, const char* field, size_t length, size_t size,
               const char* where) {
  if (length + 1 > size)
    FailField(d, field,
              std::string("too long for ") + where + " (" + std::to_string(length) +
                  " characters, at most " + std::to_string(size - 1) + ")");
}

void CheckName(const PackageDescription& d, const char* field, const std::string& name) {
  if (const char* problem = WindowsNameProblem(name))
    FailField(d, field,
              "\"" + PrintableEntryName(name) + "\" is not a valid file or folder name (it " +
                  problem + ")");
}

// Why path is not a full folder path that the program can append a backslash and a folder name
// to: a drive (C:\ ...) or a share (\\server\share ...), then folder names. Empty when it is one.
std::string BaseDirectoryProblem(const std::string& path) {
  const bool share = path.compare(0, 2, "\\\\") == 0;
  const bool drive =
      path.size() >= 3 && std::isalpha(uint8_t(path[0])) && path[1] == ':' && path[2] == '\\';
  if (!share && !drive) return "it must start with a drive (C:\\) or a share (\\\\server\\share)";
  std::vector<std::string> names(1);
  for (size_t i = share ? 2 : 3; i < path.size(); ++i) {
    if (path[i] == '\\')
      names.emplace_back();
    else
      names.back() += path[i];
  }
  if (share && (names[0] == "?" || names[0] == "."))
    return "\\\\?\\ and \\\\.\\ paths are not folder paths";
  if (share && names.size() < 2) return "it names a server without a share";
  for (const std::string& name : names) {
    if (name.empty())
      return "it has an empty folder name (a doubled \\ or a \\ at the end, where the program adds "
             "its own)";
    if (const char* problem = WindowsNameProblem(name))
      return "the folder name \"" + PrintableEntryName(name) + "\" " + problem;
  }
  return "";
}

void CheckBaseDirectory(const PackageDescription& d) {
  const std::string problem = BaseDirectoryProblem(d.DefaultBaseDirectory);
  if (!problem.empty())
    FailField(d, "default_base_directory",
              "\"" + PrintableEntryName(d.DefaultBaseDirectory) + "\" is not a full folder path (" +
                  problem + ")");
}

// Refuses a product name that would make the product's Start-menu folder one of Windows's own.
void CheckStartMenuFolder(const PackageDescription& d) {
  for (const char* folder : kWindowsProgramsFolders) {
    if (WindowsCaseFold(d.ProductName) == WindowsCaseFold(folder))
      FailField(d, "product_name",
                "\"" + PrintableEntryName(d.ProductName) + "\" would make the Start-menu folder " +
                    "Programs\\" + folder + ", which belongs to Windows and which the install " +
                    "empties; name the product's own folder");
  }
}

void CheckTextLengths(const PackageDescription& d) {
  const size_t formatted = std::strlen(kFinishQuestion) - 2;  // without "%s"
  CheckFits(d, "product_name", formatted + d.ProductName.size(), kMessageBuffer,
            "the finish question");
  CheckFits(d, "product_name", std::strlen(kBrowseTitle) - 2 + d.ProductName.size(), kMessageBuffer,
            "the browse title");
  CheckFits(d, "title", std::strlen(kCaptionPrefix) + d.Title.size(), kPathBuffer, "the caption");
  std::string install = DefaultInstallDirectory(d);
  CheckFits(d, "default_base_directory", install.size() - 1, kPathBuffer, "the destination");
  CheckFits(d, "program_base_name", install.size() + d.ProgramBaseName.size() + 4, kMessageBuffer,
            "the launch command");
  CheckFits(d, "uninstall_argument",
            install.size() + d.ProgramBaseName.size() + 5 + d.UninstallArgument.size(), kPathBuffer,
            "the uninstall command");
  CheckFits(d, "product_name", std::strlen(kUninstallKey) + d.ProductName.size(), kPathBuffer,
            "the uninstall key");
  std::string folder = std::string(kAssumedShellFolder) + "\\" + d.ProductName + "\\";
  CheckFits(d, "product_name", folder.size() + std::strlen("Uninstall .lnk") + d.ProductName.size(),
            kPathBuffer, "the shortcut paths");
  if (d.CreateHelpShortcut) {
    CheckFits(d, "help_shortcut_name", folder.size() + d.HelpShortcutName.size(), kPathBuffer,
              "the shortcut paths");
    CheckFits(d, "help_file_name", install.size() + d.HelpFileName.size(), kPathBuffer,
              "the shortcut target");
  }
}

}  // namespace

std::string KeyLocation(const PackageDescription& d, const std::string& key) {
  if (d.SourcePath.empty()) return "";
  auto line = d.KeyLines.find(key);
  return d.SourcePath + (line == d.KeyLines.end() ? "" : ":" + std::to_string(line->second)) + ": ";
}

PackageDescription ReadPackageDescription(const std::string& path) {
  PackageDescription d;
  d.SourcePath = path;
  for (const IniSetting& setting : ReadIniSection(path, kSection)) {
    d.KeyLines[setting.Key] = setting.Line;
    auto key = std::find_if(std::begin(kKeys), std::end(kKeys),
                            [&](const DescriptionKey& k) { return setting.Key == k.Name; });
    if (key == std::end(kKeys)) FailField(d, setting.Key, UnknownKeyText(setting.Key));
    Store(d, *key, setting.Value);
  }
  auto given = [&](const char* key) { return d.KeyLines.count(key) != 0; };
  for (const DescriptionKey& key : kKeys) {
    if (key.Required && !given(key.Name)) FailField(d, key.Name, "missing in [package]");
  }
  for (const char* key : {"help_file_name", "help_shortcut_name"}) {
    if (d.CreateHelpShortcut && !given(key))
      FailField(d, key, "missing in [package] (create_help_shortcut is on)");
  }
  if (!given("default_folder_name")) d.DefaultFolderName = d.ProductName;
  return d;
}

std::string ResolvedDescriptionText(const PackageDescription& d) {
  std::string text;
  for (const DescriptionKey& key : kKeys) {
    std::string value;
    if (key.Type == KeyType::Text)
      value = Cp1252ToUtf8(d.*key.Text);
    else if (key.Type == KeyType::Path)
      value = (d.*key.Text).empty()
                  ? ""
                  : std::filesystem::absolute(d.*key.Text).lexically_normal().string();
    else
      value = std::to_string(d.*key.Number);
    text += std::string(key.Name) + "=" + value + "\n";
  }
  return text;
}

std::string DefaultInstallDirectory(const PackageDescription& d) {
  return d.DefaultBaseDirectory + "\\" + d.DefaultFolderName + "\\";
}

void CheckPackageDescription(const PackageDescription& d) {
  CheckName(d, "product_name", d.ProductName);
  CheckStartMenuFolder(d);
  CheckName(d, "default_folder_name", d.DefaultFolderName);
  CheckName(d, "program_base_name", d.ProgramBaseName);
  if (d.Title.empty()) FailField(d, "title", "is empty");
  if (d.DefaultBaseDirectory.empty()) FailField(d, "default_base_directory", "is empty");
  CheckBaseDirectory(d);
  if (d.UninstallArgument.size() + 1 > size_t(kUninstallArgumentSize))
    FailField(d, "uninstall_argument",
              "\"" + PrintableEntryName(d.UninstallArgument) + "\" does not fit its " +
                  std::to_string(kUninstallArgumentSize) + " bytes (at most " +
                  std::to_string(kUninstallArgumentSize - 1) + " characters)");
  if (d.CreateHelpShortcut) {
    CheckName(d, "help_file_name", d.HelpFileName);
    CheckName(d, "help_shortcut_name", d.HelpShortcutName);
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
    FailField(
        d, "program_base_name",
        PrintableEntryName(d.ProgramBaseName) + ".exe is not at the top of " + d.ProductFolder);
  if (d.CreateHelpShortcut && !present(d.HelpFileName))
    FailField(d, "help_file_name",
              PrintableEntryName(d.HelpFileName) + " is not at the top of " + d.ProductFolder);
}
