// kpx package PACKAGE.ini -o OUTDIR: checks the package description, packs its product folder
// with the program file first, and writes OUTDIR/payload.kpx, OUTDIR/description.txt, the
// description as resolved (for the scripts that check an installed product against it), and
// OUTDIR/program.ico when the description names an icon (checked first; an old one is removed
// when it names none): what `kpx release` writes into a program stub. Host only.
#include <cstdio>
#include <filesystem>

#include "packer/commands/commands.h"
#include "packer/output_file.h"
#include "packer/description/package_description.h"
#include "packer/commands/packed_product.h"
#include "packer/payload/payload_builder.h"
#include "packer/payload/product_files.h"
#include "packer/description/program_icon.h"

namespace fs = std::filesystem;

PackedProduct PackProduct(const PackageDescription& description, int level,
                          const std::string& payloadPath) {
  PackedProduct product;
  product.Description = description;
  if (!description.Icon.empty()) {
    try {
      product.Icon = ReadProgramIcon(description.Icon);
    } catch (const KpxError& e) {
      throw KpxError(KeyLocation(description, "icon") + e.what());
    }
  }
  std::vector<ProductFile> files =
      ListProductFiles(description.ProductFolder, "", DefaultInstallDirectory(description));
  CheckPackageFiles(description, files);
  PutFirst(files, description.ProgramBaseName + ".exe", description.ProductFolder);
  std::error_code ec;
  const std::string folder = fs::path(payloadPath).parent_path().string();
  if (!folder.empty()) {
    fs::create_directories(folder, ec);
    if (ec) throw KpxError(folder + ": cannot create the folder (" + ec.message() + ")");
  }
  AtomicOutput payload(payloadPath);
  product.PayloadSize = BuildPayload(files, level, payload);
  if (product.PayloadSize > kLargestSafePayload)
    std::fprintf(stderr,
                 "kpx: warning: the payload has %llu bytes; past 1 GiB setup.exe may not start on "
                 "every machine (docs/package-description.md)\n",
                 static_cast<unsigned long long>(product.PayloadSize));
  payload.Commit();
  product.FileCount = int(files.size());
  return product;
}

void WritePackage(const PackedProduct& product, const std::string& folder) {
  std::string resolved = ResolvedDescriptionText(product.Description);
  WriteFileAtomically(folder + "/description.txt",
                      std::vector<uint8_t>(resolved.begin(), resolved.end()));
  const std::string iconPath = folder + "/program.ico";
  if (!product.Icon.empty()) {
    WriteFileAtomically(iconPath, product.Icon);
  } else {
    std::error_code ec;
    fs::remove(iconPath, ec);  // the build then takes the project's icon
    if (ec) throw KpxError(iconPath + ": cannot remove the old icon (" + ec.message() + ")");
  }
}

void PackageCommand(const Options& options) {
  PackageDescription description = ReadPackageDescription(options.input);
  CheckPackageDescription(description);
  CheckOutputIsNoInput(options.output, {description.ProductFolder},
                       {options.input, description.Icon});
  WritePackage(PackProduct(description, options.level, options.output + "/payload.kpx"),
               options.output);
}
