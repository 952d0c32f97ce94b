#!/usr/bin/env bash
# kpx release end to end through scripts/release, on a small product of its own (names with
# spaces and an accent, two folder levels, its own icon): every release passes a PE structure
# check by another reader (pe_check.py); released plain, its payload against the product folder;
# the same inputs from another folder give the same bytes; signed; outputs that would replace an
# input are refused before anything is written; a damaged or already released stub is refused;
# --verify installs under Wine (the x86-64 twin where 32-bit programs cannot start) and, where Wine
# cannot run at all, says only that it could not verify. The Wine part is skipped, and said so,
# where Wine cannot run any program here.
set -uo pipefail
root=${SOURCE_DIR:-$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)}
work=${RELEASE_TEST_WORK:-$root/build/release/test}
kpx=$root/build/host/kpx
pe_check=$root/tests/release/pe_check.py

failures=0
ok() { echo "ok: $1"; }
fail() { echo "FAIL: $1"; failures=$((failures + 1)); }
check() { local what=$1; shift; if "$@" >"$work/out" 2>&1; then ok "$what"; else fail "$what"; cat "$work/out"; fi; }
release() { "$root/scripts/release" "$work/$1/package.ini" -o "$work/$2" "${@:3}"; }
# refused WHAT PATTERN COMMAND...: the command fails, saying PATTERN.
refused() {
  local what=$1 pattern=$2; shift 2
  if "$@" >"$work/out" 2>&1; then fail "$what: accepted"; cat "$work/out"
  elif grep -q -- "$pattern" "$work/out"; then ok "$what"
  else fail "$what: not the expected message [$pattern]"; cat "$work/out"; fi
}

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
mkdir -p "$work/semi;colon"; cp -a "$work/a/." "$work/semi;colon/"

echo "-- plain"
check "release" release a plain.exe
check "PE structure of the release" /usr/bin/python3 "$pe_check" "$work/plain.exe"
check "PE structure of the sample's setup.exe" /usr/bin/python3 "$pe_check" "$root/build/win32/setup.exe"
/usr/bin/python3 - "$root/resources/uninstall.ico" "$work/plain.exe" <<'PY' && ok "the product's icon is the program's" || fail "icon"
import sys; ico, exe = (open(p, "rb").read() for p in sys.argv[1:]); sys.exit(ico[38:38 + 744] not in exe)
PY
"$kpx" extract "$work/plain.exe" "$work/extracted" >/dev/null
check "kpx extract gives the product folder back, names included" diff -r "$product" "$work/extracted"
check "a description path with ; releases" release "semi;colon" semi.exe
check "released again from other folders: identical" cmp "$work/plain.exe" "$work/semi.exe"
check "the same, from b" release b plain-again.exe
check "identical" cmp "$work/plain.exe" "$work/plain-again.exe"

echo "-- outputs that would replace an input are refused, nothing written"
cp "$work/a/package.ini" "$work/ini.kept"
refused "-o the description" "would replace the input" release a a/package.ini
refused "-o the description, by another path" "would replace the input" release a "a/../a/./package.ini"
refused "-o the icon" "would replace the input" release a a/ledger.ico
refused "-o inside the product folder" "inside the product folder" release a "a/Café Ledger/setup.exe"
check "the description is untouched" cmp "$work/a/package.ini" "$work/ini.kept"
check "nothing was written in the product folder" test ! -e "$product/setup.exe"

echo "-- stubs that are not stubs"
refused "a release as the stub" "a release already" "$kpx" release "$work/a/package.ini" -o "$work/x.exe" --stub "$work/plain.exe"
cp "$root/build/win32/setup-stub-i686.exe" "$work/appended.exe"; printf 'x' >>"$work/appended.exe"
refused "a stub with data appended" "data after its last section" "$kpx" release "$work/a/package.ini" -o "$work/x.exe" --stub "$work/appended.exe"
refused "a file that is no program" "not a Windows program" "$kpx" release "$work/a/package.ini" -o "$work/x.exe" --stub "$work/a/package.ini"
check "none of them wrote the output" test ! -e "$work/x.exe"
cp "$root/build/win32/setup-stub-i686.exe" "$work/stub.exe"
refused "-o the stub" "would replace the input" "$kpx" release "$work/a/package.ini" -o "$work/stub.exe" --stub "$work/stub.exe"
check "the stub is untouched" cmp "$work/stub.exe" "$root/build/win32/setup-stub-i686.exe"

echo "-- signed (a throw-away certificate)"
keys=$work/keys
openssl req -x509 -newkey rsa:2048 -nodes -keyout "$keys/key.pem" -out "$keys/cert.pem" -days 3650 \
  -subj "/CN=Test Publisher" >/dev/null 2>&1
printf 'secret\n' >"$keys/password"
openssl pkcs12 -export -in "$keys/cert.pem" -inkey "$keys/key.pem" -out "$keys/publisher.p12" \
  -passout "file:$keys/password" >/dev/null 2>&1
sign=(--sign-pkcs12 "$keys/publisher.p12" --sign-password-file "$keys/password")
export SOURCE_DATE_EPOCH=$(date +%s)  # the certificate is valid from now on
check "signed release" release a signed.exe "${sign[@]}"
check "signed again, from another folder" release b signed-again.exe "${sign[@]}"
check "the two are identical" cmp "$work/signed.exe" "$work/signed-again.exe"
check "PE structure of the signed release" /usr/bin/python3 "$pe_check" "$work/signed.exe"
check "osslsigncode verify" osslsigncode verify -in "$work/signed.exe" -CAfile "$keys/cert.pem" -time "$SOURCE_DATE_EPOCH"
check "kpx check reads the signed setup" "$kpx" check "$work/signed.exe"
refused "-o the signing certificate" "would replace the input" release a keys/publisher.p12 "${sign[@]}"
/usr/bin/python3 - "$work/signed.exe" "$work/flipped.exe" <<'PY'
import sys; exe = bytearray(open(sys.argv[1], "rb").read()); at = exe.index(b"kpx\n") + 300
exe[at] ^= 1; open(sys.argv[2], "wb").write(exe)
PY
if osslsigncode verify -in "$work/flipped.exe" -CAfile "$keys/cert.pem" -time "$SOURCE_DATE_EPOCH" >/dev/null 2>&1; then
  fail "a flipped payload byte passed verification"; else ok "a flipped payload byte fails verification"; fi
unset SOURCE_DATE_EPOCH

echo "-- a cut icon: refused, the old setup kept, no temporary file left"
cp "$work/plain.exe" "$work/kept.exe"
head -c 300 "$root/resources/uninstall.ico" >"$work/b/ledger.ico"
refused "release with a cut icon" "icon" release b kept.exe
check "the old output is kept" cmp "$work/plain.exe" "$work/kept.exe"
check "no temporary file is left" test -z "$(find "$work" -maxdepth 1 -name 'kept.exe.*')"

echo "-- --verify"
kit=$root/build/release/kit
mkdir -p "$work/nowine"
KPX_WINE_DIR=$work/nowine refused "--verify where Wine cannot run" "could not verify here" release a unverified.exe --verify
check "it wrote nothing" test ! -e "$work/unverified.exe"
if grep -q "differs" "$work/out"; then fail "it spoke of a difference"; else ok "it spoke of no difference"; fi
if /usr/lib/wine/wine --version >/dev/null 2>&1 || /usr/lib/wine/wine64 --version >/dev/null 2>&1; then
  check "release --verify" release a verified.exe --verify
  cp "$work/out" "$work/verify.out"
  if ! /usr/lib/wine/wine --version >/dev/null 2>&1; then
    check "it says the x86-64 twin was checked" grep -q "x86-64 twin" "$work/verify.out"
  fi
  check "the verified release is the plain one" cmp "$work/plain.exe" "$work/verified.exe"
  # The longest title the caption holds, written at its own length into the record's texts.
  mkdir -p "$work/long"; cp -a "$work/a/." "$work/long/"
  sed -i "s/^title = .*/title = $(printf 'T%.0s' $(seq 248))/" "$work/long/package.ini"
  check "the longest title releases and installs (--verify)" release long long.exe --verify
else
  echo "skipped: --verify under Wine (Wine cannot run here)"
fi

[ $failures -eq 0 ] && { echo "== release: all checks passed"; exit 0; }
echo "== release: $failures checks failed"; exit 1
