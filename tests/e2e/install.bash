#!/usr/bin/env bash
# A whole install as a person does it: the proposed destination, Install, the finish question.
# Then the same destination again, now holding the product: no question, and Yes to the finish
# question launches the program in the install folder. Last, the product's own uninstall: no
# trace of the product, every file of the user's kept.
source "$(dirname "${BASH_SOURCE[0]}")/lib.bash"
e2e_begin install
touch "$work/started"

echo "-- install to a new folder, finish answered No"
start_setup
drv press install
expect_box "Finish..!" "$kFinishText" "Yes,No"
installed=$(unix_path "$kDefaultDestination")
"$KPX_TOOL" extract "$SETUP_EXE" "$work/expected" >/dev/null
expect "files equal kpx extract" "$(diff -r "$work/expected" "$installed" 2>&1)" ""

programs=$(drv shell-folder Programs)
desktop=$(drv shell-folder Desktop)
dir=$kDefaultDestination program=$kDefaultDestination\\quorvel.exe
# link NAME: the link's target|arguments|working directory|icon.
link() { drv link "$1" | sed 's/^[a-z]*=//' | paste -sd'|'; }
expect "program link" "$(link "$programs\\Quorvelane\\Quorvelane.lnk")" "$program||$dir|,0"
expect "help link" "$(link "$programs\\Quorvelane\\Quorvelane Help.lnk")" "$dir\\quorvel.hlp||$dir|,0"
expect "uninstall link" "$(link "$programs\\Quorvelane\\Uninstall Quorvelane.lnk")" "$program|/uninstall|$dir|$program,1"
expect "desktop link" "$(link "$desktop\\Quorvelane.lnk")" "$program||$dir|,0"

key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Quorvelane'
value() { "$loader" reg query "$key" /v "$1" 2>/dev/null | tr -d '\r' | sed -n "s/^ *$1 *REG_SZ *//p"; }
expect "DisplayName" "$(value DisplayName)" "Quorvelane"
expect "UninstallString" "$(value UninstallString)" "\"$program\" /uninstall"

rm -f "$WINEPREFIX/drive_c/launch-probe.txt"
cp "$PROBE_EXE" "$installed/quorvel.exe"  # would say if it were started
drv answer no
expect_exit_1
sleep 1
expect_missing "No starts nothing" "$WINEPREFIX/drive_c/launch-probe.txt"

echo "-- the current product present, finish answered Yes"
start_setup
drv press install
expect_box "Finish..!" "$kFinishText" "Yes,No"  # no question about the destination first
cp "$PROBE_EXE" "$installed/quorvel.exe"
drv answer yes
expect_exit_1
for _ in $(seq 100); do [ -s "$WINEPREFIX/drive_c/launch-probe.txt" ] && break; sleep 0.2; done
launched=$(tr -d '\r' <"$WINEPREFIX/drive_c/launch-probe.txt" 2>/dev/null)
expect "started in the install folder" "$(field cwd <<<"$launched" | tr 'A-Z' 'a-z')" 'c:\program files\quorvelane'
expect "program path quoted" "$(field command <<<"$launched")" "\"$program\""

# The shell folders are the prefix's own: nothing reaches the user's home folder.
expect "links out of the prefix" "$(prefix_links_outside "$WINEPREFIX")" ""
expect "new links in the home folder" \
  "$(find "$HOME" -maxdepth 2 -name '*.lnk' -newer "$work/started" 2>/dev/null)" ""

echo "-- the product's own uninstall"
cp "$work/expected/quorvel.exe" "$installed/quorvel.exe"
printf 'mine' >"$installed/my letter.qvd"
"$loader" "$installed/quorvel.exe" /uninstall /quiet >/dev/null 2>&1
expect "uninstall exit code" "$?" 0
for _ in $(seq 300); do [ -e "$installed/quorvel.exe" ] || break; sleep 0.1; done
expect "only the user's file left" "$(cd "$installed" && ls | paste -sd,)" "my letter.qvd"
expect_missing "Start-menu folder removed" "$(unix_path "$programs\\Quorvelane")"
expect_missing "desktop link removed" "$(unix_path "$desktop\\Quorvelane.lnk")"
expect "uninstall key removed" "$(value DisplayName)" ""

e2e_end
