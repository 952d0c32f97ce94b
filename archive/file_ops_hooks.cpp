// The test seam shared by both file layers. Portable. All zero in the program: no limit, no
// observers.
#include "archive/file_ops.h"

FileOpsHooks FileOpsTest;

uint32_t AllowedWriteLength(uint32_t length) {
  if (!FileOpsTest.WriteLimitOn) return length;
  uint32_t allowed = length < FileOpsTest.WriteLimit ? length : FileOpsTest.WriteLimit;
  FileOpsTest.WriteLimit -= allowed;
  return allowed;
}
