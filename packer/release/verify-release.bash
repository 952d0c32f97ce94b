#!/usr/bin/env bash
# The verifier of `kpx release --verify`, beside the program stubs in the kit (PREFIX/lib/kpx, or
# build/release/kit for scripts/release): installs the new setup once under Wine through
# release-verify.bash and the window driver, and says which file it checked.
#   verify-release SETUP.exe TWIN.exe PACKAGE.ini PACKAGE_DIR WORK
# (PACKAGE.ini is not read: PACKAGE_DIR/description.txt is the description as resolved.)
# TWIN.exe (may be "") is the x86-64 twin: the same record and payload in the x86-64 stub, run
# where Wine cannot start 32-bit programs. PACKAGE_DIR holds what `kpx package` writes for the
# description. Exit 0: installed and matched; 1: differs; 3: could not verify here.
# KPX_WINE_DIR (default /usr/lib/wine) is where the Wine loaders are looked for.
set -u
kit=$(dirname "${BASH_SOURCE[0]}")
setup=$1 twin=$2 package_dir=$4 work=$5
cannot() { echo "--verify: could not verify here: $*" >&2; exit 3; }

wine_dir=${KPX_WINE_DIR:-/usr/lib/wine}
if "$wine_dir/wine" --version >/dev/null 2>&1; then
  driver=$kit/window-driver-i686.exe
elif "$wine_dir/wine64" --version >/dev/null 2>&1; then
  [ -n "$twin" ] || cannot "Wine cannot run 32-bit Windows programs on this machine, and no x86-64 stub is beside the i686 one"
  echo "--verify: Wine cannot run 32-bit Windows programs on this machine: checking the x86-64 twin of this setup (the same record and payload in the x86-64 program), not the i686 file itself" >&2
  driver=$kit/window-driver-x86_64.exe setup=$twin
else
  cannot "Wine is not installed or cannot run here"
fi
[ -f "$driver" ] || cannot "the window driver $driver is missing"
command -v Xvfb >/dev/null || cannot "Xvfb is missing (Debian package xvfb)"
source "$kit/release-verify.bash"
verify_release "$setup" "$package_dir/description.txt" "$driver" "$work"
