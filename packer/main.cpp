// kpx entry: parses the command line and runs one subcommand. Exceptions stop here.
#include <cstdio>
#include <exception>

#include "packer/command_line.h"
#include "packer/commands.h"

int main(int argc, char** argv) {
  Options options;
  int early = ParseCommandLine(argc, argv, options);
  if (early >= 0) return early;
  try {
    switch (options.command) {
      case Command::Pack: return PackCommand(options);
      case Command::Package: return PackageCommand(options);
      case Command::List: return ListCommand(options);
      case Command::Extract: return ExtractCommand(options);
      case Command::Check: return CheckCommand(options);
      case Command::None: break;
    }
  } catch (const std::exception& e) {
    std::fprintf(stderr, "kpx: %s\n", e.what());
    return 1;
  }
  return 2;
}
