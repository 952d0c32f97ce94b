// The kpx subcommands. Each throws KpxError naming the file, entry or field when it fails; what
// it prints on success goes to stdout. Host only.
#pragma once

#include "packer/commands/command_line.h"

void PackCommand(const Options& options);
void PackageCommand(const Options& options);
void ReleaseCommand(const Options& options);
void ListCommand(const Options& options);
void ExtractCommand(const Options& options);
void CheckCommand(const Options& options);

// Runs the command that options name. Returns the exit code: 0 on success, 1 after a failure,
// whose message has gone to stderr as "kpx: MESSAGE" (control characters escaped).
int RunCommand(const Options& options);
