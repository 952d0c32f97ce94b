// Detection of an earlier installation in a directory, and removal of the previous product
// generation found there.
#pragma once

// Classifies the directory (with or without a trailing '\'): 1 no program file; -1 the current
// product; -2 the previous generation; -3 a program file without either ini marker.
int DetectPreviousInstall(const char* directory);

// Removes the previous generation's files, shortcuts and uninstall key; keeps its templates
// folder as "oldtemplates". Best effort; reports nothing.
void RemoveLegacyVersion(const char* directory);
