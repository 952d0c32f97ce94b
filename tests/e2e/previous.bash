#!/usr/bin/env bash
# Destinations that already hold a program: the previous product generation (declined, then
# accepted: removed with its templates kept as "oldtemplates") and an unknown program file. Which
# answer leads where, the destination checks' unit table holds; here, the boxes, and what the
# removal does to the folder, the Start menu, the desktop and the registry; Start-menu folders that
# are links are left alone. Destinations typed after a check moved elsewhere: relative, a root.
source "$(dirname "${BASH_SOURCE[0]}")/lib.bash"
e2e_begin previous

old=$WINEPREFIX/drive_c/Old
mkdir -p "$old/templates" "$work/outside"
for f in quorvel.exe readme.txt quorvel.gid templates/letter.txt notes.txt; do printf '%s' "$f" >"$old/$f"; done
printf '[Quorvel]\r\nSwap_R&B=1\r\n' >"$old/quorvel.ini"
programs_value=$(drv shell-folder Programs)
programs=$(unix_path "$programs_value")
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
# The product's own Start-menu folder is a link to a folder elsewhere.
mkdir -p "$work/elsewhere"; printf 'mine' >"$work/elsewhere/mine.txt"
ln -s "$work/elsewhere" "$programs/Quorvelane"

echo "-- the previous generation present, answered No, then Yes"
for answer in no yes; do
  start_setup
  install_to 'C:\Old'
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
expect "product folder that is a link: its target untouched" "$(ls -A "$work/elsewhere")" mine.txt
expect_present "the desktop link made all the same" "$desktop/Quorvelane.lnk"
"$KPX_TOOL" extract "$SETUP_EXE" "$work/expected" >/dev/null
expect "installed files equal kpx extract" "$(diff -r "$work/expected" "$old" 2>&1 | grep -v "^Only in $old")" ""
drv answer no
expect_exit_1

echo "-- an unknown program file, answered No; then the previous generation typed relative"
mkdir -p "$WINEPREFIX/drive_c/Other" "$WINEPREFIX/drive_c/Old2"
printf 'some program' >"$WINEPREFIX/drive_c/Other/quorvel.exe"
printf '[Quorvel]\r\nSwap_R&B=1\r\n' >"$WINEPREFIX/drive_c/Old2/quorvel.ini"
cp "$WINEPREFIX/drive_c/Other/quorvel.exe" "$WINEPREFIX/drive_c/Old2/"
rm -rf "$programs/quorvel"; ln -s "$work/outside" "$programs/quorvel"  # the old folder a link
printf 'mine' >"$WINEPREFIX/drive_c/quorvel.lnk"  # where an empty desktop value would point
folders='HKCU\Software\Microsoft\Windows\CurrentVersion\Explorer\Shell Folders'
"$loader" reg add "$folders" /v Desktop /d "" /f >/dev/null 2>&1
start_setup
install_to 'C:\Other'
expect_box "Warning..!" "$kOverwriteText" "Yes,No"
drv answer no
install_to 'Old2'  # from the start folder C:\, not from C:\Other
expect_box "Warning..!" "$kOlderText" "Yes,No"
drv answer yes
expect_box "Finish..!" "$kFinishText" "Yes,No"
drv answer no
expect_exit_1
expect "installed into C:\\Old2" "$(diff -r "$work/expected" "$WINEPREFIX/drive_c/Old2" 2>&1 | grep -v "^Only in")" ""
expect "old Start-menu folder a link: its target untouched" "$(ls -A "$work/outside")" precious.txt
expect_present "no desktop named: a file on the current drive kept" "$WINEPREFIX/drive_c/quorvel.lnk"
expect_missing "no desktop named: no link on the current drive" "$WINEPREFIX/drive_c/Quorvelane.lnk"

echo "-- a drive's root, typed while a folder on that drive is current; no Programs folder"
mkdir -p "$work/drive_m/start"
printf 'some program' >"$work/drive_m/start/quorvel.exe"
ln -s "$work/drive_m" "$WINEPREFIX/dosdevices/m:"
"$loader" reg add "$folders" /v Programs /d "" /f >/dev/null 2>&1
start_setup
install_to 'M:\start'
expect_box "Warning..!" "$kOverwriteText" "Yes,No"
drv answer no
install_to 'M:\'
expect_box "Warning..!" "$kNotEmptyText" "Yes,No"
drv answer yes
expect_box "Warning..!" 'Setup can not create shortcut in your Start Menu!\nYou should create it manually.' "OK"
drv answer ok
expect_box "Finish..!" "$kFinishText" "Yes,No"
drv answer no
expect_exit_1
expect "installed into M:\\" "$(diff -r "$work/expected" "$work/drive_m" 2>&1)" "Only in $work/drive_m: start"

e2e_end
