// The previous generation's file list. Portable.
#include "system/previous_install.h"

const char* const kPreviousFiles[kPreviousFileCount] = {
    "readme.txt",  "template.txt", "regform.txt", "quorvel.exe",
    "quorvel.hlp", "quorvel.gid",  "quorvel.ini",
};
