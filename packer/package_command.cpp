// kpx package PACKAGE.ini -o OUTDIR: checks the package description, packs its product folder
// with the program file first, and writes OUTDIR/payload.kpx and OUTDIR/package_info.cpp, the
// two files the Windows build compiles in, and OUTDIR/program.ico when the description names an
// icon (checked first; an old one is removed when it names none). Host only.
#include <cstdio>
#include <filesystem>

#include "packer/commands.h"
#include "packer/package_description.h"
#include "packer/package_source.h"
#include "packer/payload_builder.h"
#include "packer/product_files.h"
#include "packer/program_icon.h"

int PackageCommand(const Options& options) {
  try {
    PackageDescription description = ReadPackageDescription(options.input);
    CheckPackageDescription(description);
    std::vector<uint8_t> icon;
    if (!description.Icon.empty()) icon = ReadProgramIcon(description.Icon);
    std::vector<ProductFile> files =
        ListProductFiles(description.ProductFolder, "", DefaultInstallDirectory(description));
    CheckPackageFiles(description, files);
    PutFirst(files, description.ProgramBaseName + ".exe", description.ProductFolder);
    std::vector<uint8_t> payload = BuildPayload(files, options.level);
    std::string source = PackageInfoSource(description, int(files.size()));
    std::error_code ec;
    std::filesystem::create_directories(options.output, ec);
    if (ec) throw PackError(options.output + ": cannot create the folder (" + ec.message() + ")");
    WriteFileAtomically(options.output + "/payload.kpx", payload);
    WriteFileAtomically(options.output + "/package_info.cpp",
                        std::vector<uint8_t>(source.begin(), source.end()));
    const std::string iconPath = options.output + "/program.ico";
    if (!icon.empty()) {
      WriteFileAtomically(iconPath, icon);
    } else {
      std::filesystem::remove(iconPath, ec);  // the build then takes the project's icon
      if (ec) throw PackError(iconPath + ": cannot remove the old icon (" + ec.message() + ")");
    }
  } catch (const PackError& e) {
    std::fprintf(stderr, "kpx package: %s\n", e.what());
    return 1;
  }
  return 0;
}
