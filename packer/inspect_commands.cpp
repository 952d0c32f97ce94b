// list, extract and check: placeholders until the extraction core arrives.
#include <cstdio>

#include "packer/commands.h"

static int NotYet() {
  std::fprintf(stderr, "kpx: not available yet\n");
  return 1;
}

int ListCommand(const Options&) { return NotYet(); }
int ExtractCommand(const Options&) { return NotYet(); }
int CheckCommand(const Options&) { return NotYet(); }
