# The Wine set-up that scripts/demo, scripts/release-verify.bash, scripts/wine-run and the Wine
# suites (tests/e2e/lib.bash) share: the loader that fits a program, the environment, a private
# prefix, the window driver and its key=value fields, and the product's resolved description.
# Sourced, not run.
wine_scripts=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
source "$wine_scripts/private-prefix.bash"
source "$wine_scripts/xvfb.bash"

# wine_use PROGRAM: sets wine_arch (win32 or win64) and wine_loader from PROGRAM's PE header (the
# optional header's magic, PE32 0x10b or PE32+ 0x20b, found through e_lfanew) and exports the
# environment of every run here: no debug output, no menu entries on the host, no .NET or HTML
# engine to install. Values already in the environment are kept.
wine_use() {
  local lfanew magic
  lfanew=$(od -An -tu4 -j60 -N4 "$1" | tr -d ' ')
  magic=$(od -An -tx2 -j$((lfanew + 24)) -N2 "$1" | tr -d ' ')
  case $magic in
    020b) wine_arch=win64; wine_loader=/usr/lib/wine/wine64; export WINELOADER=$wine_loader ;;
    *) wine_arch=win32; wine_loader=/usr/lib/wine/wine ;;
  esac
  export WINEDEBUG=${WINEDEBUG:--all}
  export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-winemenubuilder.exe=d;mscoree=;mshtml=}
}

# wine_can_run: 0 when Wine runs $wine_arch programs on this machine (scripts/wine-probe).
wine_can_run() {
  local runnable; runnable=$("$wine_scripts/wine-probe" 2>/dev/null)
  [ -n "$runnable" ] && { [ "$wine_arch" = win64 ] || [ "$runnable" = win32 ]; }
}

# wine_prefix PREFIX [windowed]: initialises PREFIX with its shell folders inside it, and the
# caption buttons' Marlett font among its fonts, the only place Wine finds it. Without "windowed"
# it is made for a display with no window manager (Xvfb): Wine draws the window frames itself.
# Returns 1, with the reason on stderr, when it could not be made.
wine_prefix() {
  make_private_prefix "$1" "$wine_loader" || return 1
  cp /usr/share/wine/fonts/marlett.ttf "$1/drive_c/windows/Fonts/" 2>/dev/null
  [ "${2:-}" = windowed ] ||
    WINEPREFIX=$1 "$wine_loader" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
  WINEPREFIX=$1 /usr/lib/wine/wineserver -w
}

# wine_stop: ends every program of the current prefix and its wineserver.
wine_stop() {
  /usr/lib/wine/wineserver -k 2>/dev/null
  /usr/lib/wine/wineserver -w 2>/dev/null
  return 0
}

# drv ARGS...: runs the window driver ($wine_driver) once; its key=value lines without carriage
# returns and in UTF-8 (the driver speaks the Windows code page, 1252), and its exit status.
drv() {
  "$wine_loader" "$wine_driver" "$@" 2>/dev/null | tr -d '\r' | iconv -f CP1252 -t UTF-8
  return "${PIPESTATUS[0]}"
}

# field NAME: the value of the first NAME=... line on stdin.
field() { sed -n "s/^$1=//p" | head -1; }

# unix_path WINDOWS_PATH: where a path of the prefix is on this machine.
unix_path() { "$wine_loader" winepath -u "$1" 2>/dev/null | tr -d '\r'; }

# read_description FILE: fills the associative array `description` from the description that
# `kpx package` resolved (description.txt beside its outputs: every key, key=value, UTF-8).
# Returns 1 when the file is missing or empty.
read_description() {
  local line
  declare -gA description=()
  [ -s "$1" ] || { echo "no resolved package description in $1" >&2; return 1; }
  while IFS= read -r line; do description[${line%%=*}]=${line#*=}; done <"$1"
}
