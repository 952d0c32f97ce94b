// kpx entry: parses the command line and runs one subcommand.
#include "packer/commands/command_line.h"
#include "packer/commands/commands.h"

int main(int argc, char** argv) {
  Options options;
  int early = ParseCommandLine(argc, argv, options);
  if (early >= 0) return early;
  return RunCommand(options);
}
