#!/usr/bin/env bash
# Destinations that already hold a program: the previous product generation (declined, then
# accepted: removed with its templates kept as "oldtemplates") and an unknown program file. Which
# answer leads where, the destination checks' unit table holds; here, the boxes, and what the
# removal does to the folder, the Start menu, the desktop and the registry.
source "$(dirname "${BASH_SOURCE[0]}")/lib.bash"
e2e_begin previous

old=$WINEPREFIX/drive_c/Old
mkdir -p "$old/templates" "$work/outside"
for f in quorvel.exe readme.txt quorvel.gid templates/letter.txt notes.txt; do printf '%s' "$f" >"$old/$f"; done
printf '[Quorvel]\r\nSwap_R&B=1\r\n' >"$old/quorvel.ini"
programs=$(unix_path "$(drv shell-folder Programs)")
desktop=$(unix_path "$(drv shell-folder Desktop)")
mkdir -p "$programs/quorvel/more"
printf 'link' >"$programs/quorvel/Quorvel.lnk"; printf 'x' >"$programs/quorvel/more/x.txt"
printf 'link' >"$desktop/quorvel.lnk"
# A link to a folder outside, which the removal must not enter.
printf 'keep' >"$work/outside/precious.txt"
ln -s "$work/outside" "$programs/quorvel/outside"
legacy_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Quorvel'
"$loader" reg add "$legacy_key" /v DisplayName /d Quorvel /f >/dev/null 2>&1
legacy_key_present() { "$loader" reg query "$legacy_key" >/dev/null 2>&1 && echo yes || echo no; }

echo "-- the previous generation present, answered No, then Yes"
for answer in no yes; do
  start_setup
  drv set-destination 'C:\Old'
  drv press install
  expect_box "Warning..!" "$kOlderText" "Yes,No"
  drv answer $answer
  [ $answer = yes ] || expect_exit_1  # a box would hold the program open
done
expect_box "Finish..!" "$kFinishText" "Yes,No"
expect_present "templates kept as oldtemplates" "$old/oldtemplates/letter.txt"
expect_missing "old files deleted" "$old/quorvel.gid"
expect_present "other files kept" "$old/notes.txt"
# Wine cannot remove a Unix symbolic link as a directory: the link, alone, keeps the folder.
expect "old Start-menu folder emptied" "$(ls -A "$programs/quorvel")" "outside"
expect_present "the link's target untouched" "$work/outside/precious.txt"
expect_missing "old desktop link removed" "$desktop/quorvel.lnk"
expect "old uninstall key removed" "$(legacy_key_present)" no
"$KPX_TOOL" extract "$SETUP_EXE" "$work/expected" >/dev/null
expect "installed files equal kpx extract" "$(diff -r "$work/expected" "$old" 2>&1 | grep -v "^Only in $old")" ""
drv answer no
expect_exit_1

echo "-- an unknown program file, answered No"
mkdir -p "$WINEPREFIX/drive_c/Other"
printf 'some program' >"$WINEPREFIX/drive_c/Other/quorvel.exe"
start_setup
drv set-destination 'C:\Other'
drv press install
expect_box "Warning..!" "$kOverwriteText" "Yes,No"
drv answer no

e2e_end
