// Every message box of the setup program: the texts, captions, buttons and icons live in
// message_box_win.cpp and nowhere else.
#pragma once

#include "ui/check_destination.h"
#include "system/win32_api.h"

// One of the destination questions (Yes/No, warning icon); only IDNO counts as No.
UserAnswer AskDestinationQuestion(HWND owner, DestinationQuestion question);

// The box for a result of RunInstall: an error box for a failed extraction, a warning box for
// failed shortcuts, nothing for any other result.
void ReportInstallResult(HWND owner, int result);

// Refusal of a typed or browsed destination that does not fit the 260-byte path buffers.
void WarnPathTooLong(HWND owner);

// The finish question, without an owner window. True only for an explicit Yes.
bool AskToLaunchProduct(const char* productName);

// The install dialog could not be created.
void ReportDialogNotCreated();
