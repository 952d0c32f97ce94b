// kpx pack DIR -o PAYLOAD [--first NAME] [--level N]: every file below DIR becomes one entry.
// Host only.
#include "packer/payload/ansi_names.h"
#include "packer/commands/commands.h"
#include "packer/output_file.h"
#include "packer/payload/payload_builder.h"
#include "packer/payload/product_files.h"

void PackCommand(const Options& options) {
  std::string first;
  if (!Utf8ToCp1252(options.first, first))
    throw KpxError(options.first + ": the name has characters that code page 1252 cannot hold");
  CheckOutputIsNoInput(options.output, {options.input}, {});
  std::vector<ProductFile> files = ListProductFiles(options.input, first, DefaultDestination());
  AtomicOutput output(options.output);
  BuildPayload(files, options.level, output);
  output.Commit();
}
