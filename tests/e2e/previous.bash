#!/usr/bin/env bash
# Destinations that already hold a program: the previous product generation (declined, then
# accepted: removed with its templates kept as "oldtemplates") and an unknown program file.
source "$(dirname "${BASH_SOURCE[0]}")/lib.bash"
e2e_begin previous

old=$WINEPREFIX/drive_c/Old
mkdir -p "$old/templates"
printf 'old program' >"$old/quorvel.exe"
printf '[Quorvel]\r\nSwap_R&B=1\r\n' >"$old/quorvel.ini"
printf 'old readme' >"$old/readme.txt"
printf 'old help' >"$old/quorvel.gid"
printf 'letter' >"$old/templates/letter.txt"
printf 'mine' >"$old/notes.txt"
programs=$(unix_path "$(drv shell-folder Programs)")
desktop=$(unix_path "$(drv shell-folder Desktop)")
mkdir -p "$programs/quorvel/more"
printf 'link' >"$programs/quorvel/Quorvel.lnk"; printf 'x' >"$programs/quorvel/more/x.txt"
# A link to a folder outside, which the removal must not enter.
mkdir -p "$work/outside"; printf 'keep' >"$work/outside/precious.txt"
ln -s "$work/outside" "$programs/quorvel/outside"
printf 'link' >"$desktop/quorvel.lnk"
legacy_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Quorvel'
"$loader" reg add "$legacy_key" /v DisplayName /d Quorvel /f >/dev/null 2>&1
legacy_key_present() { "$loader" reg query "$legacy_key" >/dev/null 2>&1 && echo yes || echo no; }

echo "-- the previous generation present, answered No"
start_setup
drv set-destination 'C:\Old'
drv press install
expect_box "Warning..!" "$kOlderText" "Yes,No"
drv answer no
expect_exit_1  # a box would hold the program open
expect "nothing removed" "$(cd "$old" && ls | sort | paste -sd,)" "notes.txt,quorvel.exe,quorvel.gid,quorvel.ini,readme.txt,templates"
expect_present "Start-menu folder kept" "$programs/quorvel/more/x.txt"
expect_present "desktop link kept" "$desktop/quorvel.lnk"
expect "uninstall key kept" "$(legacy_key_present)" yes

echo "-- the previous generation present, answered Yes"
start_setup
drv set-destination 'C:\Old'
drv press install
expect_box "Warning..!" "$kOlderText" "Yes,No"
drv answer yes
expect_box "Finish..!" "$kFinishText" "Yes,No"
expect_present "templates kept as oldtemplates" "$old/oldtemplates/letter.txt"
expect_missing "old files deleted" "$old/quorvel.gid"
expect_present "other files kept" "$old/notes.txt"
expect "new program installed" "$(cmp -s "$old/quorvel.exe" "$old/oldtemplates/letter.txt"; echo $?)" 1
# Wine cannot remove a Unix symbolic link as a directory: the link, alone, keeps the folder.
expect "old Start-menu folder emptied" "$(ls -A "$programs/quorvel")" "outside"
expect_present "the link's target untouched" "$work/outside/precious.txt"
expect_missing "old desktop link removed" "$desktop/quorvel.lnk"
expect "old uninstall key removed" "$(legacy_key_present)" no
"$KPX_TOOL" extract "$SETUP_EXE" "$work/expected" >/dev/null
if diff -r "$work/expected" "$old" | grep -v '^Only in '"$old" | grep -q .; then
  fail "installed files differ from kpx extract"
else
  ok "installed files equal kpx extract"
fi
drv answer no
expect_exit_1

echo "-- an unknown program file, answered No"
mkdir -p "$WINEPREFIX/drive_c/Other"
printf 'some program' >"$WINEPREFIX/drive_c/Other/quorvel.exe"
start_setup
drv set-destination 'C:\Other'
before=$(drv dialog-state)
drv press install
expect_box "Warning..!" "$kOverwriteText" "Yes,No"
drv answer no
expect "dialog unchanged" "$(drv dialog-state)" "$before"
drv press cancel
expect_exit_1
expect "program file kept" "$(cat "$WINEPREFIX/drive_c/Other/quorvel.exe")" "some program"

e2e_end
