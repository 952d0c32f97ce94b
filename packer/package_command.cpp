// kpx package PACKAGE.ini -o OUTDIR: checks the package description, packs its product folder
// with the program file first, and writes OUTDIR/payload.kpx and OUTDIR/package_info.cpp, the
// two files the Windows build compiles in, and OUTDIR/program.ico when the description names an
// icon (checked first; an old one is removed when it names none). Host only.
#include <cstdio>
#include <filesystem>

#include "packer/commands.h"
#include "packer/output_file.h"
#include "packer/package_description.h"
#include "packer/package_source.h"
#include "packer/payload_builder.h"
#include "packer/product_files.h"
#include "packer/program_icon.h"

void PackageCommand(const Options& options) {
  PackageDescription description = ReadPackageDescription(options.input);
  CheckPackageDescription(description);
  std::vector<uint8_t> icon;
  if (!description.Icon.empty()) {
    try {
      icon = ReadProgramIcon(description.Icon);
    } catch (const KpxError& e) {
      throw KpxError(KeyLocation(description, "icon") + e.what());
    }
  }
  std::vector<ProductFile> files =
      ListProductFiles(description.ProductFolder, "", DefaultInstallDirectory(description));
  CheckPackageFiles(description, files);
  PutFirst(files, description.ProgramBaseName + ".exe", description.ProductFolder);
  std::error_code ec;
  std::filesystem::create_directories(options.output, ec);
  if (ec) throw KpxError(options.output + ": cannot create the folder (" + ec.message() + ")");
  AtomicOutput payload(options.output + "/payload.kpx");
  const uint64_t payloadSize = BuildPayload(files, options.level, payload);
  if (payloadSize > kLargestSafePayload)
    std::fprintf(stderr,
                 "kpx: warning: the payload has %llu bytes; past 1 GiB setup.exe may not start on "
                 "every machine (docs/package-description.md)\n",
                 static_cast<unsigned long long>(payloadSize));
  payload.Commit();
  std::string source = PackageInfoSource(description, int(files.size()));
  WriteFileAtomically(options.output + "/package_info.cpp",
                      std::vector<uint8_t>(source.begin(), source.end()));
  const std::string iconPath = options.output + "/program.ico";
  if (!icon.empty()) {
    WriteFileAtomically(iconPath, icon);
  } else {
    std::filesystem::remove(iconPath, ec);  // the build then takes the project's icon
    if (ec) throw KpxError(iconPath + ": cannot remove the old icon (" + ec.message() + ")");
  }
}
