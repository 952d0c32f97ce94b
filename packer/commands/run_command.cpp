// Runs one kpx subcommand and reports its failure: every command throws KpxError, and this is the
// one place that prints it. Host only.
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <exception>
#include <new>
#include <string>

#include "packer/commands/commands.h"
#include "packer/kpx_error.h"
#include "packer/printable_text.h"

namespace {

void RunSubcommand(const Options& options) {
  switch (options.command) {
    case Command::Pack:
      return PackCommand(options);
    case Command::Package:
      return PackageCommand(options);
    case Command::Release:
      return ReleaseCommand(options);
    case Command::List:
      return ListCommand(options);
    case Command::Extract:
      return ExtractCommand(options);
    case Command::Check:
      return CheckCommand(options);
    case Command::None:
      break;
  }
}

// Flushes standard output, so that a full disk or a closed pipe is not taken for success.
void FlushOutput() {
  errno = 0;
  if (std::fflush(stdout) != 0 || std::ferror(stdout))
    throw KpxError(std::string("cannot write the output (") + std::strerror(errno ? errno : EIO) +
                   ")");
}

}  // namespace

int RunCommand(const Options& options) {
  std::string failure;
  try {
    RunSubcommand(options);
    FlushOutput();
    return 0;
  } catch (const KpxError& e) {
    failure = e.what();
  } catch (const std::bad_alloc&) {
    failure = "out of memory";
  } catch (const std::exception& e) {  // from the standard library: a fault of kpx itself
    failure = std::string("internal error: ") + e.what();
  }
  std::fflush(stdout);  // what was listed before the failure comes first
  std::fprintf(stderr, "kpx: %s\n", PrintableText(failure).c_str());
  return 1;
}
