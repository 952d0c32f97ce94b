// kpx pack DIR -o PAYLOAD [--first NAME] [--level N]: every file below DIR becomes one entry.
// Host only.
#include <cstdio>

#include "packer/commands.h"
#include "packer/payload_builder.h"
#include "packer/product_files.h"

int PackCommand(const Options& options) {
  try {
    std::vector<ProductFile> files =
        ListProductFiles(options.input, options.first, DefaultDestination());
    WriteFileAtomically(options.output, BuildPayload(files, options.level));
  } catch (const PackError& e) {
    std::fprintf(stderr, "kpx pack: %s\n", e.what());
    return 1;
  }
  return 0;
}
