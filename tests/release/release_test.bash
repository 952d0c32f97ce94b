#!/usr/bin/env bash
# scripts/release end to end, on a small product of its own (names with spaces and an accent, two
# folder levels, its own icon): released plain, its payload against the product folder; signed,
# with --verify, and again from another folder, byte for byte the same, and no longer verified
# once a payload byte is flipped; a refused release keeps
# the old output. Exits 125 (skipped) where Wine cannot run 32-bit programs.
set -uo pipefail
root=${SOURCE_DIR:-$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)}
work=${RELEASE_TEST_WORK:-$root/build/release/test}
kpx=$root/build/release/host/kpx
[ "$("$root/scripts/wine-probe" 2>/dev/null)" = win32 ] || { echo "skipped: Wine cannot run 32-bit programs here"; exit 125; }

failures=0
ok() { echo "ok: $1"; }
fail() { echo "FAIL: $1"; failures=$((failures + 1)); }
check() { local what=$1; shift; if "$@" >"$work/out" 2>&1; then ok "$what"; else fail "$what"; cat "$work/out"; fi; }
release() { "$root/scripts/release" "$work/$1/package.ini" -o "$work/$2" "${@:3}"; }

rm -rf "$work"; mkdir -p "$work/a/Café Ledger/Help files/Deep folder" "$work/keys"
product="$work/a/Café Ledger"
printf 'MZ stands in for the program\n' >"$product/ledger.exe"
printf 'Read me, in é and spaces\n' >"$product/Read me é.txt"
head -c 20000 /dev/urandom >"$product/Help files/Deep folder/Données 1.bin"
cp "$root/resources/uninstall.ico" "$work/a/ledger.ico"
cat >"$work/a/package.ini" <<'INI'
[package]
product_folder = Café Ledger
title = Café Ledger 1.3
product_name = Café Ledger
program_base_name = ledger
create_desktop_shortcut = 1
create_uninstall = 1
uninstall_argument = /remove
uninstall_icon_index = 0
default_base_directory = c:\program files
icon = ledger.ico
INI
cp -a "$work/a" "$work/b"

echo "-- plain"
check "release" release a plain.exe
python3 - "$root/resources/uninstall.ico" "$work/plain.exe" <<'PY' && ok "the product's icon is the program's" || fail "icon"
import sys; ico, exe = (open(p, "rb").read() for p in sys.argv[1:]); sys.exit(ico[38:38 + 744] not in exe)
PY
"$kpx" extract "$work/plain.exe" "$work/extracted" >/dev/null
check "kpx extract gives the product folder back, names included" diff -r "$product" "$work/extracted"

echo "-- signed (a throw-away certificate) with --verify, and again from another folder"
keys=$work/keys
openssl req -x509 -newkey rsa:2048 -nodes -keyout "$keys/key.pem" -out "$keys/cert.pem" -days 3650 \
  -subj "/CN=Test Publisher" >/dev/null 2>&1
printf 'secret\n' >"$keys/password"
openssl pkcs12 -export -in "$keys/cert.pem" -inkey "$keys/key.pem" -out "$keys/publisher.p12" \
  -passout "file:$keys/password" >/dev/null 2>&1
sign=(--sign-pkcs12 "$keys/publisher.p12" --sign-password-file "$keys/password")
export SOURCE_DATE_EPOCH=$(date +%s)  # the certificate is valid from now on
check "signed release --verify" release a signed.exe "${sign[@]}" --verify
check "signed again, from another folder" release b signed-again.exe "${sign[@]}"
check "the two are identical" cmp "$work/signed.exe" "$work/signed-again.exe"
check "osslsigncode verify" osslsigncode verify -in "$work/signed.exe" -CAfile "$keys/cert.pem" -time "$SOURCE_DATE_EPOCH"
check "kpx check reads the signed setup" "$kpx" check "$work/signed.exe"
python3 - "$work/signed.exe" "$work/flipped.exe" <<'PY'
import sys; exe = bytearray(open(sys.argv[1], "rb").read()); at = exe.index(b"kpx\n") + 300
exe[at] ^= 1; open(sys.argv[2], "wb").write(exe)
PY
if osslsigncode verify -in "$work/flipped.exe" -CAfile "$keys/cert.pem" -time "$SOURCE_DATE_EPOCH" >/dev/null 2>&1; then
  fail "a flipped payload byte passed verification"; else ok "a flipped payload byte fails verification"; fi
unset SOURCE_DATE_EPOCH

echo "-- a cut icon: refused, the old setup kept, no temporary file left"
cp "$work/plain.exe" "$work/kept.exe"
head -c 300 "$root/resources/uninstall.ico" >"$work/a/ledger.ico"
if release a kept.exe >"$work/out" 2>&1; then fail "release with a cut icon passed"; else ok "release with a cut icon refused"; fi
check "the old output is kept" cmp "$work/plain.exe" "$work/kept.exe"
check "no temporary file is left" test -z "$(find "$work" -maxdepth 1 -name '.*pending*')"

[ $failures -eq 0 ] && { echo "== release: all checks passed"; exit 0; }
echo "== release: $failures checks failed"; exit 1
