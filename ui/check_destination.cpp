// The destination checks of the install dialog. Portable: every platform operation arrives
// through DestinationOps.
#include "ui/check_destination.h"

#include "system/previous_install.h"

namespace {

// A directory that holds no program file: an empty one is removed (the install creates it again)
// and taken as it is; otherwise the user decides. The start directory is made current first,
// since a directory cannot be removed while it is current.
DestinationDecision CheckDirectoryWithoutProgram(const char* destination,
                                                 const DestinationOps& ops) {
  (void)ops.EnterDirectory(ops.StartDirectory);  // best effort: the removal test follows anyway
  if (ops.RemoveEmptyDirectory(destination)) return DestinationDecision::Proceed;
  UserAnswer answer = ops.AskYesNo(ops.Owner, DestinationQuestion::InstallIntoNonEmpty);
  return answer == UserAnswer::No ? DestinationDecision::Stay : DestinationDecision::Proceed;
}

}  // namespace

DestinationDecision CheckDestination(const char* destination, const DestinationOps& ops) {
  // The existence test moves the current directory into the destination, on purpose: the
  // classification below and the caller see it there.
  if (!ops.EnterDirectory(destination)) return DestinationDecision::Proceed;

  switch (ops.DetectPreviousInstall(destination)) {
    case kUnknownProgramFound:
      if (ops.AskYesNo(ops.Owner, DestinationQuestion::OverwriteProgram) == UserAnswer::No)
        return DestinationDecision::Stay;
      return DestinationDecision::Proceed;
    case kPreviousGenerationFound:
      if (ops.AskYesNo(ops.Owner, DestinationQuestion::RemoveOlderVersion) == UserAnswer::No)
        return DestinationDecision::Abort;
      ops.RemoveLegacyVersion(destination);
      return DestinationDecision::Proceed;
    case kCurrentProductFound:
      return DestinationDecision::Proceed;
    default:  // kNoPreviousProgram, and any value the classification does not define
      return CheckDirectoryWithoutProgram(destination, ops);
  }
}
