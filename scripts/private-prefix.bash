# A Wine prefix that keeps to itself. Sourced, not run.
# Wine links the profile's Desktop, Documents, Music and the like to the user's home folder, so a
# program that writes a desktop shortcut in an ordinary prefix writes it into $HOME. Here every
# such link becomes a real, empty folder inside the prefix.
#
# make_private_prefix PREFIX LOADER: initialises PREFIX with LOADER (/usr/lib/wine/wine or wine64).
# Returns 1, with the reason on stderr, when the prefix could not be made.
make_private_prefix() {
  local prefix=$1 loader=$2 link
  WINEPREFIX=$prefix "$loader" wineboot --init >/dev/null 2>&1
  WINEPREFIX=$prefix /usr/lib/wine/wineserver -w
  if [ ! -f "$prefix/drive_c/windows/system32/kernel32.dll" ]; then
    echo "wineboot could not initialise a prefix in $prefix" >&2; return 1
  fi
  while IFS= read -r -d '' link; do
    rm -f "$link" && mkdir "$link" || { echo "cannot replace the link $link" >&2; return 1; }
  done < <(find "$prefix/drive_c/users" -type l -print0)
}

# prefix_links_outside PREFIX: prints every link in the prefix's profiles that leads out of it.
prefix_links_outside() {
  local link target
  while IFS= read -r -d '' link; do
    target=$(readlink -f "$link")
    case $target in "$(readlink -f "$1")"/*) ;; *) echo "$link -> $target" ;; esac
  done < <(find "$1/drive_c/users" -type l -print0)
}
