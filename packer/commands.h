// The kpx subcommands. Each returns the process exit code: 0 on success, 1 on failure (the reason
// printed to stderr). Host only.
#pragma once

#include "packer/command_line.h"

int PackCommand(const Options& options);
int PackageCommand(const Options& options);
int ListCommand(const Options& options);
int ExtractCommand(const Options& options);
int CheckCommand(const Options& options);
