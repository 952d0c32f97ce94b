// pack and package: placeholders until the encoder arrives.
#include <cstdio>

#include "packer/commands.h"

int PackCommand(const Options&) {
  std::fprintf(stderr, "kpx: pack is not available yet\n");
  return 1;
}

int PackageCommand(const Options&) {
  std::fprintf(stderr, "kpx: package is not available yet\n");
  return 1;
}
