// The program's composed texts and the buffer they are composed in: the one home shared by the
// program and by `kpx package`, which checks that a package description's fields fit. Portable.
#pragma once

constexpr int kMessageSize = 256;  // the finish question, the browse title, the launch command

// The dialog's caption: the prefix, then the package title (in a kPathSize buffer).
#define CAPTION_PREFIX "Installing "
// The folder browser's title: the prefix, the product name, the suffix.
#define BROWSE_TITLE_PREFIX "Select directory for "
#define BROWSE_TITLE_SUFFIX ":"
// The finish question: the product name, then this.
#define FINISH_QUESTION_TAIL \
  " has successfully\ninstalled to your computer.\nDo you want to launch the program now?"
