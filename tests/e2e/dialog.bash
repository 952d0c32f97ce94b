#!/usr/bin/env bash
# The install dialog as a person meets it: its look at start, Cancel, the close box, a destination
# that names no folder, a folder that is not empty, browsing, a destination too long for the
# program's paths or for the product's deepest file, and one whose parent is missing.
source "$(dirname "${BASH_SOURCE[0]}")/lib.bash"
e2e_begin dialog
destination() { drv dialog-state | field destination; }
lower_destination() { destination | tr 'A-Z' 'a-z'; }

echo "-- at start, Cancel, the close box"
start_setup
state=$(drv dialog-state)
expect "caption, destination, desktop box" "$(head -3 <<<"$state")" \
  "$(printf 'caption=%s\ndestination=%s\ndesktop=1' "$kDialogCaption" "$kDefaultDestination")"
expect "centred on the screen" "$(field position <<<"$state")" "$(field centre <<<"$state")"
drv press cancel
expect_exit_1  # a box would hold the program open
start_setup
drv press close
expect_exit_1

echo "-- no folder named: the default back, never the drive's root"
start_setup
for typed in '' '\' '\\'; do
  install_to "$typed"
  expect_soon "default back for [$typed]" "$kDefaultDestination" destination
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

echo "-- browse: cancelled, then the folder it proposes taken"
drv press browse
drv answer cancel 30
expect "cancelled browse changes nothing" "$(destination)" 'C:\stuff\'
drv press browse
drv answer ok 30
expect_soon "browsed folder with the product folder" 'c:\program files\quorvelane' lower_destination

echo "-- a destination too long for a path, and one too long for the product's deepest file"
for length in 256 230; do
  long='C:\'$(printf 'a%.0s' $(seq $length))
  install_to "$long"
  expect_box "Warning..!" "$kTooLongText" "OK"
  drv answer ok
  expect "dialog stays ($length)" "$(destination)" "$long"
  expect_missing "nothing created ($length)" "$(unix_path "$long")"
done

echo "-- a destination whose parent does not exist"
install_to 'C:\no such folder\Quorvelane'
expect_box "Error..!" "$kDecompressText" "OK"
drv answer ok
expect_exit_1
expect_missing "nothing created" "$WINEPREFIX/drive_c/no such folder"

e2e_end
