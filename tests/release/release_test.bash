#!/usr/bin/env bash
# scripts/release end to end, on a small product of its own (names with spaces and an accent, two
# folder levels, its own icon): released plain, from another folder, signed twice and with
# --verify; the builds compared byte for byte, the payload against the product folder, the
# signature checked and then broken. Exits 125 (skipped) where Wine cannot run 32-bit programs.
set -uo pipefail
root=${SOURCE_DIR:-$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)}
work=${RELEASE_TEST_WORK:-$root/build/release/test}
kpx=$root/build/release/host/kpx
[ "$("$root/scripts/wine-probe" 2>/dev/null)" = win32 ] || { echo "skipped: Wine cannot run 32-bit programs here"; exit 125; }

failures=0
ok() { echo "ok: $1"; }
fail() { echo "FAIL: $1"; failures=$((failures + 1)); }
check() { local what=$1; shift; if "$@" >"$work/out" 2>&1; then ok "$what"; else fail "$what"; cat "$work/out"; fi; }
refuse() { local what=$1; shift; if "$@" >"$work/out" 2>&1; then fail "$what: it passed"; else ok "$what"; fi; }

rm -rf "$work"; mkdir -p "$work/a/Café Ledger/Help files/Deep folder" "$work/keys"
product="$work/a/Café Ledger"
printf 'MZ stands in for the program\n' >"$product/ledger.exe"
printf 'Read me, in é and spaces\n' >"$product/Read me é.txt"
printf 'help\n' >"$product/Help files/Guide.txt"
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

echo "-- plain, with --verify; the same again from another folder"
check "release --verify" "$root/scripts/release" "$work/a/package.ini" -o "$work/plain.exe" --verify
check "release from another folder" "$root/scripts/release" "$work/b/package.ini" -o "$work/elsewhere.exe"
check "the two are identical" cmp "$work/plain.exe" "$work/elsewhere.exe"
python3 - "$root/resources/uninstall.ico" "$work/plain.exe" <<'PY' && ok "the product's icon is the program's" || fail "icon"
import sys; ico, exe = (open(p, "rb").read() for p in sys.argv[1:]); sys.exit(ico[38:38 + 744] not in exe)
PY
rm -rf "$work/extracted"
"$kpx" extract "$work/plain.exe" "$work/extracted" >/dev/null
check "kpx extract gives the product folder back, names included" diff -r "$product" "$work/extracted"

echo "-- signed (a throw-away certificate), twice, and once with --verify"
keys=$work/keys
openssl req -x509 -newkey rsa:2048 -nodes -keyout "$keys/key.pem" -out "$keys/cert.pem" -days 3650 \
  -subj "/CN=Test Publisher" >/dev/null 2>&1
printf 'secret\n' >"$keys/password"
openssl pkcs12 -export -in "$keys/cert.pem" -inkey "$keys/key.pem" -out "$keys/publisher.p12" \
  -passout "file:$keys/password" >/dev/null 2>&1
sign=(--sign-pkcs12 "$keys/publisher.p12" --sign-password-file "$keys/password")
export SOURCE_DATE_EPOCH=$(date +%s)  # the certificate is valid from now on
check "signed release --verify" "$root/scripts/release" "$work/a/package.ini" -o "$work/signed.exe" "${sign[@]}" --verify
check "signed again" "$root/scripts/release" "$work/b/package.ini" -o "$work/signed-again.exe" "${sign[@]}"
check "the two signed ones are identical" cmp "$work/signed.exe" "$work/signed-again.exe"
check "osslsigncode verify" osslsigncode verify -in "$work/signed.exe" -CAfile "$keys/cert.pem" -time "$SOURCE_DATE_EPOCH"
check "kpx list reads the signed setup" "$kpx" list "$work/signed.exe"
check "kpx check reads the signed setup" "$kpx" check "$work/signed.exe"
# One byte of the payload flipped: the last byte of the third entry's data sits well inside it.
offset=$(grep -obUaP 'Deep folder' "$work/signed.exe" | head -1 | cut -d: -f1)
cp "$work/signed.exe" "$work/flipped.exe"
printf '\xff' | dd of="$work/flipped.exe" bs=1 seek=$((offset + 200)) conv=notrunc status=none
refuse "a flipped payload byte fails the signature" osslsigncode verify -in "$work/flipped.exe" \
  -CAfile "$keys/cert.pem" -time "$SOURCE_DATE_EPOCH"
unset SOURCE_DATE_EPOCH

echo "-- a wrong icon: refused, naming what is wrong, and the old setup kept"
cp "$work/plain.exe" "$work/kept.exe"
head -c 300 "$root/resources/uninstall.ico" >"$work/a/ledger.ico"
refuse "release with a cut icon" "$root/scripts/release" "$work/a/package.ini" -o "$work/kept.exe"
cp "$work/out" "$work/refusal"
check "the error names the icon and its fault" grep -q "ledger.ico image 1 (32 x 32) lies outside the file" "$work/refusal"
check "the old output is kept" cmp "$work/plain.exe" "$work/kept.exe"
check "no temporary file is left" test -z "$(find "$work" -maxdepth 1 -name '.*pending*')"

[ $failures -eq 0 ] && { echo "== release: all checks passed"; exit 0; }
echo "== release: $failures checks failed"; exit 1
