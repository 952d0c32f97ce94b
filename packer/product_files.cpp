// The files of a product folder as payload entries: found, named and ordered. Host only.
//
// Folders are walked with symbolic links followed, as the product would be copied; a link that
// leads back to a folder being walked is a loop and refused. Names are checked here, before any
// compression, so that a bad tree fails at once.
#include "packer/product_files.h"

#include <algorithm>
#include <filesystem>
#include <map>

#include "archive/extract_entry.h"
#include "packer/ansi_names.h"

namespace fs = std::filesystem;

namespace {

constexpr size_t kMaxComposedPath = kMaxOutputPath;  // the extractor refuses longer ones
constexpr uint64_t kMaxFileSize = 0x7FFFFFFF;

// Converts one name component to code page 1252 and checks it; throws naming the file.
std::string EntryComponent(const fs::path& file, const std::string& component) {
  std::string converted;
  if (!Utf8ToCp1252(component, converted))
    throw KpxError(file.string() + ": the name has characters that code page 1252 cannot hold");
  if (const char* problem = WindowsNameProblem(converted))
    throw KpxError(file.string() + ": the name \"" + component + "\" " + problem);
  return converted;
}

struct Walk {
  std::string destination;
  std::vector<ProductFile> files;
  std::vector<fs::path> openFolders;  // canonical paths of the folders being walked
};

void AddFile(Walk& walk, const fs::path& file, const std::string& name) {
  std::error_code ec;
  uint64_t size = fs::file_size(file, ec);
  if (ec) throw KpxError(file.string() + ": cannot read the file (" + ec.message() + ")");
  if (size > kMaxFileSize) throw KpxError(file.string() + ": the file has 2^31 bytes or more");
  if (walk.destination.size() + name.size() > kMaxComposedPath)
    throw KpxError(file.string() + ": the name is too long for the install path \"" +
                   walk.destination + name + "\" (at most " + std::to_string(kMaxComposedPath) +
                   " characters)");
  walk.files.push_back(ProductFile{file.string(), name, size});
}

// Walks one folder; prefix is the entry name of the folder with its trailing \ (empty at the top).
void WalkFolder(Walk& walk, const fs::path& folder, const std::string& prefix) {
  std::error_code ec;
  fs::path canonical = fs::canonical(folder, ec);
  if (ec) throw KpxError(folder.string() + ": cannot read the folder (" + ec.message() + ")");
  if (std::find(walk.openFolders.begin(), walk.openFolders.end(), canonical) !=
      walk.openFolders.end())
    throw KpxError(folder.string() + ": symbolic link loop");
  walk.openFolders.push_back(canonical);
  std::vector<fs::path> children;
  for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec))
    children.push_back(it->path());
  if (ec) throw KpxError(folder.string() + ": cannot read the folder (" + ec.message() + ")");
  std::sort(children.begin(), children.end());
  for (const fs::path& child : children) {
    std::string name = prefix + EntryComponent(child, child.filename().string());
    fs::file_status status = fs::status(child, ec);
    if (ec == std::errc::too_many_symbolic_link_levels)
      throw KpxError(child.string() + ": symbolic link loop");
    if (ec || !fs::exists(status))
      throw KpxError(child.string() + ": cannot read the file (a broken link?)");
    if (fs::is_directory(status)) {
      WalkFolder(walk, child, name + "\\");
    } else if (fs::is_regular_file(status)) {
      AddFile(walk, child, name);
    } else {
      throw KpxError(child.string() + ": not a regular file");
    }
  }
  walk.openFolders.pop_back();
}

}  // namespace

std::string DefaultDestination() { return "c:\\program files\\Quorvelane\\"; }

void PutFirst(std::vector<ProductFile>& files, const std::string& first,
              const std::string& folder) {
  std::string wanted = first;
  std::replace(wanted.begin(), wanted.end(), '/', '\\');
  auto it = std::find_if(files.begin(), files.end(),
                         [&](const ProductFile& f) { return f.Name == wanted; });
  if (it == files.end()) throw KpxError(first + ": the first file is not in " + folder);
  std::rotate(files.begin(), it, it + 1);
}

std::vector<ProductFile> ListProductFiles(const std::string& folder, const std::string& first,
                                          const std::string& destination) {
  Walk walk;
  walk.destination = destination;
  if (walk.destination.empty() || walk.destination.back() != '\\') walk.destination += '\\';
  WalkFolder(walk, fs::path(folder), "");
  if (walk.files.empty()) throw KpxError(folder + ": no files below this folder");
  std::sort(walk.files.begin(), walk.files.end(),
            [](const ProductFile& a, const ProductFile& b) { return a.Name < b.Name; });
  std::map<std::string, const ProductFile*> seen;  // by the name as Windows compares it
  for (const ProductFile& f : walk.files) {
    auto [other, added] = seen.emplace(WindowsCaseFold(f.Name), &f);
    if (!added)
      throw KpxError(f.SourcePath + ": Windows would take this name for another file's (" +
                     other->second->SourcePath + ")");
  }
  if (!first.empty()) PutFirst(walk.files, first, folder);
  return walk.files;
}
