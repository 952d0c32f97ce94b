#!/usr/bin/env bash
# The Debian package of kpx (cpack in the host tree) on a machine without the cross compiler:
# installed into a throw-away root (dpkg -x), its kpx makes a release with nothing on PATH, from
# the stub it finds beside itself, byte for byte the release made in the build trees, and passes
# the PE structure check; its kit verifies a release under Wine where Wine runs. Exits 125
# (skipped) when the Windows trees that hold the stubs are not built.
set -uo pipefail
root=${SOURCE_DIR:-$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)}
host=${HOST_TREE:-$root/build/host}
work=$host/deb-test
for f in win32/setup-stub-i686.exe win64/setup-stub-x86_64.exe win32/release/window_driver.exe \
         win64/release/window_driver.exe; do
  [ -f "$root/build/$f" ] || { echo "skipped: build/$f is not built (scripts/build win32 win64)"; exit 125; }
done

failures=0
ok() { echo "ok: $1"; }
fail() { echo "FAIL: $1"; failures=$((failures + 1)); }
check() { local what=$1; shift; if "$@" >"$work/out" 2>&1; then ok "$what"; else fail "$what"; cat "$work/out"; fi; }

rm -rf "$work"; mkdir -p "$work/root" "$work/product/Tool"
(cd "$host" && cpack -G DEB -B "$work/package" >"$work/cpack.log" 2>&1) || { cat "$work/cpack.log"; echo "FAIL: cpack"; exit 1; }
deb=$(ls "$work"/package/kpx_*.deb)
check "the package installs into a throw-away root" dpkg -x "$deb" "$work/root"
check "it holds the manual page" test -f "$work/root/usr/share/man/man1/kpx.1"
printf 'MZ stands in for the program\n' >"$work/product/Tool/tool.exe"
printf 'notes\n' >"$work/product/Tool/notes.txt"
cat >"$work/product/package.ini" <<'INI'
[package]
product_folder = Tool
title = Tool 1.0
product_name = Tool
program_base_name = tool
uninstall_argument = /uninstall
default_base_directory = c:\program files
INI
check "the installed kpx releases with nothing on PATH (no compiler)" \
  env -i PATH=/nonexistent "$work/root/usr/bin/kpx" release "$work/product/package.ini" -o "$work/installed.exe"
check "the same release from the build trees" \
  "$host/kpx" release "$work/product/package.ini" -o "$work/built.exe" --stub "$root/build/win32/setup-stub-i686.exe"
check "byte for byte the same" cmp "$work/installed.exe" "$work/built.exe"
check "PE structure" /usr/bin/python3 "$root/tests/release/pe_check.py" "$work/installed.exe"
if /usr/lib/wine/wine64 --version >/dev/null 2>&1 && command -v Xvfb >/dev/null; then
  check "the installed kit verifies a release under Wine" \
    "$work/root/usr/bin/kpx" release "$work/product/package.ini" -o "$work/verified.exe" --verify
else
  echo "skipped: --verify through the installed kit (Wine or Xvfb cannot run here)"
fi
[ $failures -eq 0 ] && { echo "== deb: all checks passed"; rm -rf "$work"; exit 0; }
echo "== deb: $failures checks failed"; exit 1
