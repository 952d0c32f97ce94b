// The names of what `kpx release` finds beside its program stub: the installed kit in
// PREFIX/lib/kpx (CMakeLists.txt installs it) or the folder scripts/release assembles. Host only.
#pragma once

constexpr char kKitFolderFromKpx[] = "../lib/kpx";  // relative to kpx's own folder
constexpr char kStubI686[] = "setup-stub-i686.exe";
constexpr char kStubX8664[] = "setup-stub-x86_64.exe";  // the twin that --verify may run instead
constexpr char kVerifyRunner[] = "verify-release";      // bash script, beside the stub

// verify-release's exit codes besides 0 (installed and matched).
constexpr int kVerifyDiffers = 1;
constexpr int kVerifyImpossibleHere = 3;
