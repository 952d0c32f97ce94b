// kpx pack DIR -o PAYLOAD [--first NAME] [--level N]: every file below DIR becomes one entry.
// Host only.
#include <cstdio>

#include "packer/ansi_names.h"
#include "packer/commands.h"
#include "packer/payload_builder.h"
#include "packer/product_files.h"

int PackCommand(const Options& options) {
  try {
    std::string first;
    if (!Utf8ToCp1252(options.first, first))
      throw PackError(options.first + ": the name has characters that code page 1252 cannot hold");
    std::vector<ProductFile> files = ListProductFiles(options.input, first, DefaultDestination());
    WriteFileAtomically(options.output, BuildPayload(files, options.level));
  } catch (const PackError& e) {
    std::fprintf(stderr, "kpx pack: %s\n", e.what());
    return 1;
  }
  return 0;
}
