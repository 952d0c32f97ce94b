// The setup program's message boxes: texts, captions, buttons and icons in one place. Win32.
#include "ui/message_box_win.h"

#include "setup/install_run.h"
#include "system/path_buffer.h"
#include "ui/program_texts.h"

namespace {

const char kWarningCaption[] = "Warning..!";
const char kErrorCaption[] = "Error..!";
const char kFinishCaption[] = "Finish..!";

constexpr UINT kWarningQuestion = MB_YESNO | MB_ICONWARNING;
constexpr UINT kWarningNotice = MB_OK | MB_ICONWARNING;
constexpr UINT kErrorNotice = MB_OK | MB_ICONERROR;
constexpr UINT kFinishQuestion = MB_YESNO | MB_ICONINFORMATION;

const char* QuestionText(DestinationQuestion question) {
  switch (question) {
    case DestinationQuestion::OverwriteProgram:
      return "Previous Quorvel has installed in this directory.\n"
             "Do you really want to overwrite?";
    case DestinationQuestion::RemoveOlderVersion:
      return "Older version of Quorvel detected.\n"
             "If you continue, setup will remove it.\n\n"
             "If you choose NO, setup will be canceled.\n"
             "You can backup your previous version manually,\n"
             "and run this setup again anytime.\n\n"
             "Do you want to continue?";
    case DestinationQuestion::InstallIntoNonEmpty:
      break;
  }
  return "This is not an empty directory.\nDo you want to install to this directory anyway?";
}

}  // namespace

UserAnswer AskDestinationQuestion(HWND owner, DestinationQuestion question) {
  int answer = MessageBoxA(owner, QuestionText(question), kWarningCaption, kWarningQuestion);
  return answer == IDNO ? UserAnswer::No : UserAnswer::Yes;
}

void ReportInstallResult(HWND owner, int result) {
  if (result == kInstallFailed) {
    MessageBoxA(owner, "Can not decompress file!\nThe source file maybe damage.", kErrorCaption,
                kErrorNotice);
  } else if (result == kInstallShortcutsFailed) {
    MessageBoxA(owner,
                "Setup can not create shortcut in your Start Menu!\n"
                "You should create it manually.",
                kWarningCaption, kWarningNotice);
  }
}

void WarnPathTooLong(HWND owner) {
  MessageBoxA(owner, "The destination path is too long.\nPlease choose a shorter one.",
              kWarningCaption, kWarningNotice);
}

bool AskToLaunchProduct(const char* productName) {
  char text[kMessageSize] = "";
  // A name too long for the box is left out rather than cut; the compiled-in one always fits.
  (void)CopyPath(text, kMessageSize, productName);
  (void)AppendPath(text, kMessageSize, FINISH_QUESTION_TAIL);
  return MessageBoxA(nullptr, text, kFinishCaption, kFinishQuestion) == IDYES;
}

void ReportDialogNotCreated() {
  MessageBoxA(nullptr, "Setup can not open its window.", kErrorCaption, kErrorNotice);
}
