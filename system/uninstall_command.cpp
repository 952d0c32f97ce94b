// The uninstall command that the registry entry carries. Portable.
#include "system/path_buffer.h"
#include "system/uninstall_key.h"

bool ComposeUninstallCommand(char* command, size_t size, const char* directory,
                             const char* programBaseName, const char* argument) {
  return CopyPath(command, size, "\"") && AppendPath(command, size, directory) &&
         AppendSeparator(command, size) && AppendPath(command, size, programBaseName) &&
         AppendPath(command, size, ".exe\" ") && AppendPath(command, size, argument);
}
