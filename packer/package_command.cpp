// kpx package PACKAGE.ini -o OUTDIR: placeholder until the description reader arrives.
#include <cstdio>

#include "packer/commands.h"

int PackageCommand(const Options&) {
  std::fprintf(stderr, "kpx: package is not available yet\n");
  return 1;
}
