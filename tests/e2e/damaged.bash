#!/usr/bin/env bash
# Damaged setup programs. One whose payload has an undecodable entry: the error box, no finish
# question, and no partly written file of that entry. One without its dialog template: a box says
# so and the program ends with 1.
source "$(dirname "${BASH_SOURCE[0]}")/lib.bash"
e2e_begin damaged

damaged=$("$loader" "$DAMAGE_EXE" damage-payload "$SETUP_EXE" "$work/damaged.exe" 2>/dev/null | tr -d '\r' | field damaged)
[ -n "$damaged" ] || fail "the payload could not be damaged"
echo "damaged entry: $damaged"
start_setup "$work/damaged.exe"
install_to 'C:\Damaged'
expect_box "Error..!" "$kDecompressText" "OK"
drv answer ok
expect_exit_1  # no finish question: a box would hold the program open
expect_present "earlier entries written" "$WINEPREFIX/drive_c/Damaged/quorvel.exe"
expect_missing "no partial file" "$WINEPREFIX/drive_c/Damaged/${damaged//\\//}"

echo "-- no dialog template"
"$loader" "$DAMAGE_EXE" drop-dialog "$SETUP_EXE" "$work/nodialog.exe" >/dev/null 2>&1 || fail "the dialog template could not be removed"
launch "$work/nodialog.exe"
expect_box "Error..!" "$kNoWindowText" "OK"
drv answer ok
expect_exit_1

e2e_end
