# The self-check of scripts/release --verify: installs a setup program once under Wine, headless,
# in a throw-away prefix that keeps to itself, as a person would (the proposed destination,
# Install, the finish question answered No), then compares what was installed with the package
# description. Sourced, not run.
source "$(dirname "${BASH_SOURCE[0]}")/private-prefix.bash"
source "$(dirname "${BASH_SOURCE[0]}")/xvfb.bash"

# read_description INI: fills the associative array `description` with the [package] keys.
# The description has passed `kpx package` already, so plain "key = value" lines are all there is.
read_description() {
  local line key value section=""
  declare -gA description=()
  while IFS= read -r line || [ -n "$line" ]; do
    line=${line%$'\r'}
    [[ $line =~ ^[[:space:]]*([;#]|$) ]] && continue
    if [[ $line =~ ^[[:space:]]*\[(.*)\][[:space:]]*$ ]]; then section=${BASH_REMATCH[1]}; continue; fi
    [ "$section" = package ] || continue
    key=${line%%=*}; value=${line#*=}
    key=${key//[[:space:]]/}
    value=$(sed -E 's/[[:space:]]+;.*$//; s/^[[:space:]]+//; s/[[:space:]]+$//' <<<"$value")
    description[$key]=$value
  done <"$1"
}

# flag KEY DEFAULT: 1 or 0 for a yes/no key of the description.
flag() {
  local value=${description[$1]:-$2}
  case ${value,,} in 1|true|yes|on) echo 1 ;; *) echo 0 ;; esac  # any case, as kpx reads them
}

# verify_release SETUP INI DRIVER WORK [LOADER]: 0 when the install matches; 1 with a report
# otherwise. LOADER (default: the 32-bit one) is given by kpx release's verifier, which chose it.
verify_release() {
  local setup=$1 ini=$2 driver=$3 work=$4
  local loader=${5:-/usr/lib/wine/wine} arch problems=() xvfb_pid=""
  arch=$([ -n "${5:-}" ] && echo given || "$(dirname "${BASH_SOURCE[0]}")/wine-probe" 2>/dev/null) || arch=""
  if [ "$arch" != win32 ] && [ "$arch" != given ]; then
    echo "--verify: Wine cannot run 32-bit Windows programs on this machine" >&2; return 1
  fi
  command -v Xvfb >/dev/null || { echo "--verify: Xvfb is missing (scripts/deps installs it)" >&2; return 1; }
  read_description "$ini"
  local product=${description[product_name]} title=${description[title]}
  local folder=${description[default_folder_name]:-$product}
  local destination="${description[default_base_directory]}\\$folder"
  local program="$destination\\${description[program_base_name]}.exe"
  local product_folder; product_folder=$(cd "$(dirname "$ini")" && realpath "${description[product_folder]}")

  rm -rf "$work"; mkdir -p "$work"
  export WINEPREFIX=$work/prefix WINEDEBUG=-all WINEDLLOVERRIDES="winemenubuilder.exe=d;mscoree=;mshtml="
  make_private_prefix "$WINEPREFIX" "$loader" || return 1
  ( unset DISPLAY; start_xvfb && echo "$DISPLAY $xvfb_pid" >"$work/display" ) || return 1
  local display; read -r display xvfb_pid <"$work/display"
  # The driver's texts are in the Windows code page; the names here are UTF-8.
  drv() { DISPLAY=$display "$loader" "$driver" "$@" 2>/dev/null | tr -d '\r' | iconv -f CP1252 -t UTF-8; }
  field() { sed -n "s/^$1=//p" | head -1; }
  differs() { problems+=("$1"); }
  finish() {
    /usr/lib/wine/wineserver -k 2>/dev/null; /usr/lib/wine/wineserver -w 2>/dev/null
    kill "$xvfb_pid" 2>/dev/null
    if [ ${#problems[@]} -gt 0 ]; then
      echo "--verify: the install of $(basename "$setup") under Wine differs from $ini:" >&2
      printf '  %s\n' "${problems[@]}" >&2
      return 1
    fi
    rm -rf "$work"
  }

  ( DISPLAY=$display "$loader" "$setup" >/dev/null 2>&1; echo $? >"$work/exit" ) &
  if ! drv wait-window "Installing $title" 60 >/dev/null; then
    differs "no install dialog \"Installing $title\" appeared within 60 s"; finish; return 1
  fi
  local proposed; proposed=$(drv dialog-state | field destination)
  [ "$proposed" = "$destination" ] || differs "proposed destination: [$proposed], want [$destination]"
  drv press install >/dev/null
  local box; box=$(drv box 300)
  case $(field text <<<"$box") in
    "$product has successfully"*) drv answer no >/dev/null ;;
    "") differs "no finish question appeared within 300 s" ;;
    *) differs "the setup asked \"$(field text <<<"$box")\" instead of the finish question"
       drv answer ok >/dev/null || drv answer no >/dev/null ;;
  esac
  for _ in $(seq 100); do [ -s "$work/exit" ] && break; sleep 0.1; done

  local installed; installed=$(DISPLAY=$display "$loader" winepath -u "$destination" 2>/dev/null | tr -d '\r')
  if [ ! -d "$installed" ]; then
    differs "nothing was installed in $destination"
  else
    local report; report=$(diff -r "$product_folder" "$installed" 2>&1) \
      || while IFS= read -r line; do differs "files: $line"; done <<<"$report"
  fi

  local programs desktop
  programs="$(drv shell-folder Programs)\\$product"; desktop=$(drv shell-folder Desktop)
  local want=("$product.lnk")
  [ "$(flag create_help_shortcut 0)" = 1 ] && want+=("${description[help_shortcut_name]}")
  [ "$(flag create_uninstall 1)" = 1 ] && want+=("Uninstall $product.lnk")
  local got; got=$(ls -A "$(DISPLAY=$display "$loader" winepath -u "$programs" 2>/dev/null | tr -d '\r')" 2>/dev/null | sort)
  [ "$got" = "$(printf '%s\n' "${want[@]}" | sort)" ] \
    || differs "Start-menu folder $programs holds [$(paste -sd, <<<"$got")], want [$(printf '%s\n' "${want[@]}" | sort | paste -sd,)]"
  expect_link() {  # expect_link LINK FIELD WANT
    local value; value=$(drv link "$1" | field "$2")
    [ "$value" = "$3" ] || differs "$1: $2 [$value], want [$3]"
  }
  expect_link "$programs\\$product.lnk" target "$program"
  expect_link "$programs\\$product.lnk" workdir "$destination"
  if [ "$(flag create_help_shortcut 0)" = 1 ]; then
    expect_link "$programs\\${description[help_shortcut_name]}" target "$destination\\${description[help_file_name]}"
  fi
  if [ "$(flag create_uninstall 1)" = 1 ]; then
    expect_link "$programs\\Uninstall $product.lnk" target "$program"
    expect_link "$programs\\Uninstall $product.lnk" arguments "${description[uninstall_argument]}"
    expect_link "$programs\\Uninstall $product.lnk" icon "$program,${description[uninstall_icon_index]:-0}"
  fi
  local desktop_link; desktop_link=$(DISPLAY=$display "$loader" winepath -u "$desktop\\$product.lnk" 2>/dev/null | tr -d '\r')
  if [ "$(flag create_desktop_shortcut 1)" = 1 ]; then
    expect_link "$desktop\\$product.lnk" target "$program"
  elif [ -e "$desktop_link" ]; then
    differs "a desktop link $desktop\\$product.lnk was made, but the description asks for none"
  fi

  # The uninstall key, exported as a .reg file (UTF-16) so that its names keep their accents.
  local key="HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\$product" reg=$work/uninstall.reg
  if DISPLAY=$display "$loader" reg export "$key" 'c:\uninstall.reg' /y >/dev/null 2>&1; then
    local values; values=$(iconv -f UTF-16 -t UTF-8 "$WINEPREFIX/drive_c/uninstall.reg" | tr -d '\r' \
      | sed -E 's/\\\\/\\/g; s/\\"/"/g')
    local name uninstall
    name=$(sed -n 's/^"DisplayName"="\(.*\)"$/\1/p' <<<"$values")
    uninstall=$(sed -n 's/^"UninstallString"="\(.*\)"$/\1/p' <<<"$values")
    [ "$(flag create_uninstall 1)" = 1 ] || differs "an uninstall key $key was made, but the description asks for none"
    [ "$(flag create_uninstall 1)" = 0 ] || [ "$name" = "$product" ] || differs "$key: DisplayName [$name], want [$product]"
    case $uninstall in
      *"$program"*" ${description[uninstall_argument]}") ;;
      *) [ "$(flag create_uninstall 1)" = 0 ] || differs "$key: UninstallString [$uninstall], want $program with ${description[uninstall_argument]}" ;;
    esac
  elif [ "$(flag create_uninstall 1)" = 1 ]; then
    differs "no uninstall key $key"
  fi
  local code; code=$(cat "$work/exit" 2>/dev/null)
  [ "$code" = 1 ] || differs "setup.exe exit code [${code:-still running}], want [1]"
  finish
}
