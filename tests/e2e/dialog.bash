#!/usr/bin/env bash
# The install dialog as a person meets it: its look at start, Cancel, the close box, an empty
# destination (or backslashes alone), a folder that is not empty, a destination whose parent is
# missing, a destination too long for the program's paths, a relative destination.
source "$(dirname "${BASH_SOURCE[0]}")/lib.bash"
e2e_begin dialog
destination() { drv dialog-state | field destination; }
lower_destination() { destination | tr 'A-Z' 'a-z'; }

echo "-- at start"
start_setup
state=$(drv dialog-state)
expect "caption" "$(field caption <<<"$state")" "$kDialogCaption"
expect "destination" "$(field destination <<<"$state")" "$kDefaultDestination"
expect "desktop box checked" "$(field desktop <<<"$state")" 1
expect "centred on the screen" "$(field position <<<"$state")" "$(field centre <<<"$state")"
echo "-- Cancel"
drv press cancel
expect_exit_1  # a box would hold the program open

echo "-- the close box"
start_setup
drv press close
expect_exit_1

echo "-- empty destination"
start_setup
drv set-destination ""
drv press install
expect_soon "default destination back" "$kDefaultDestination" destination
expect_missing "nothing created" "$(unix_path "$kDefaultDestination")"
for typed in '\' '\\'; do  # no folder named: never the drive's root
  drv set-destination "$typed"
  drv press install
  sleep 1
  expect "default back for $typed" "$(drv dialog-state | field destination)" "$kDefaultDestination"
done

echo "-- a folder that is not empty, answered No"
mkdir -p "$WINEPREFIX/drive_c/stuff"; echo keep >"$WINEPREFIX/drive_c/stuff/notes.txt"
drv set-destination 'C:\stuff\'
drv set-desktop 0
before=$(drv dialog-state)
drv press install
expect_box "Warning..!" "$kNotEmptyText" "Yes,No"
drv answer no
expect "dialog unchanged" "$(drv dialog-state)" "$before"
expect "folder untouched" "$(ls "$WINEPREFIX/drive_c/stuff")" "notes.txt"

echo "-- browse: cancelled, then the folder it proposes taken"
drv press browse
drv answer cancel 30
expect "cancelled browse changes nothing" "$(drv dialog-state | field destination)" 'C:\stuff\'
drv press browse
drv answer ok 30
expect_soon "browsed folder with the product folder" 'c:\program files\quorvelane' lower_destination

echo "-- a destination too long for a path"
long='C:\'$(printf 'a%.0s' $(seq 256))
drv set-destination "$long"
drv press install
expect_box "Warning..!" "$kTooLongText" "OK"
drv answer ok
expect "dialog stays" "$(drv dialog-state | field destination)" "$long"

echo "-- a destination whose parent does not exist"
drv set-destination 'C:\no such folder\Quorvelane'
drv press install
expect_box "Error..!" "$kDecompressText" "OK"
drv answer ok
expect_exit_1
expect_missing "nothing created" "$WINEPREFIX/drive_c/no such folder"

echo "-- a relative destination, started in C:\\"
rm -f "$work/exit"
( cd "$WINEPREFIX/drive_c" && "$loader" "$SETUP_EXE" >/dev/null 2>&1; echo $? >"$work/exit" ) &
setup_pid=$!
drv wait-window "$kDialogCaption" 60 || fail "the install dialog did not appear"
drv set-destination 'Relative'
drv press install
expect_box "Finish..!" "$kFinishText" "Yes,No"
drv answer no
expect_exit_1
"$KPX_TOOL" extract "$SETUP_EXE" "$work/expected" >/dev/null
if diff -r "$work/expected" "$WINEPREFIX/drive_c/Relative" >/dev/null; then ok "installed into C:\\Relative"
else fail "not installed into C:\\Relative"; fi

e2e_end
