# The self-check of scripts/release --verify: installs a setup program once under Wine, headless,
# in a throw-away prefix that keeps to itself, as a person would (the proposed destination,
# Install, the finish question answered No), then compares what was installed with the package
# description as `kpx package` resolved it (description.txt beside its outputs). Sourced, not run.
source "$(dirname "${BASH_SOURCE[0]}")/wine.bash"

# verify_release SETUP DESCRIPTION DRIVER WORK: 0 when the install matches DESCRIPTION (a resolved
# description.txt); 1 with a report otherwise; 3 when it could not be tried here (no prefix, no
# display). The caller (verify-release) has chosen a SETUP and DRIVER that Wine runs here; the
# loader follows from SETUP. Runs in a subshell: its environment stays its own.
verify_release() (
  local setup=$1 resolved=$2 work=$4 problems=() xvfb_pid=""
  wine_driver=$3
  wine_use "$setup"
  cannot() { echo "--verify: could not verify here: $*" >&2; return 3; }
  command -v Xvfb >/dev/null || { cannot "Xvfb is missing (Debian package xvfb)"; return 3; }
  read_description "$resolved" || return 3
  local product=${description[product_name]} title=${description[title]}
  local destination="${description[default_base_directory]}\\${description[default_folder_name]}"
  local program="$destination\\${description[program_base_name]}.exe"
  local product_folder=${description[product_folder]}

  rm -rf "$work"; mkdir -p "$work"
  export WINEPREFIX=$work/prefix
  wine_prefix "$WINEPREFIX" || { cannot "no Wine prefix could be made in $WINEPREFIX"; return 3; }
  unset DISPLAY
  start_xvfb || { wine_stop; cannot "no display could be started for Wine"; return 3; }
  differs() { problems+=("$1"); }
  finish() {
    wine_stop
    kill "$xvfb_pid" 2>/dev/null
    if [ ${#problems[@]} -gt 0 ]; then
      echo "--verify: the install of $(basename "$setup") under Wine differs from its description ($resolved):" >&2
      printf '  %s\n' "${problems[@]}" >&2
      return 1
    fi
    rm -rf "$work"
  }

  ( "$wine_loader" "$setup" >/dev/null 2>&1; echo $? >"$work/exit" ) &
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

  local installed; installed=$(unix_path "$destination")
  if [ ! -d "$installed" ]; then
    differs "nothing was installed in $destination"
  else
    local report; report=$(diff -r "$product_folder" "$installed" 2>&1) \
      || while IFS= read -r line; do differs "files: $line"; done <<<"$report"
  fi

  local programs desktop
  programs="$(drv shell-folder Programs)\\$product"; desktop=$(drv shell-folder Desktop)
  local want=("$product.lnk")
  [ "${description[create_help_shortcut]}" = 1 ] && want+=("${description[help_shortcut_name]}")
  [ "${description[create_uninstall]}" = 1 ] && want+=("Uninstall $product.lnk")
  local got; got=$(ls -A "$(unix_path "$programs")" 2>/dev/null | sort)
  [ "$got" = "$(printf '%s\n' "${want[@]}" | sort)" ] \
    || differs "Start-menu folder $programs holds [$(paste -sd, <<<"$got")], want [$(printf '%s\n' "${want[@]}" | sort | paste -sd,)]"
  expect_link() {  # expect_link LINK FIELD WANT
    local value; value=$(drv link "$1" | field "$2")
    [ "$value" = "$3" ] || differs "$1: $2 [$value], want [$3]"
  }
  expect_link "$programs\\$product.lnk" target "$program"
  expect_link "$programs\\$product.lnk" workdir "$destination"
  if [ "${description[create_help_shortcut]}" = 1 ]; then
    expect_link "$programs\\${description[help_shortcut_name]}" target "$destination\\${description[help_file_name]}"
  fi
  if [ "${description[create_uninstall]}" = 1 ]; then
    expect_link "$programs\\Uninstall $product.lnk" target "$program"
    expect_link "$programs\\Uninstall $product.lnk" arguments "${description[uninstall_argument]}"
    expect_link "$programs\\Uninstall $product.lnk" icon "$program,${description[uninstall_icon_index]}"
  fi
  local desktop_link; desktop_link=$(unix_path "$desktop\\$product.lnk")
  if [ "${description[create_desktop_shortcut]}" = 1 ]; then
    expect_link "$desktop\\$product.lnk" target "$program"
  elif [ -e "$desktop_link" ]; then
    differs "a desktop link $desktop\\$product.lnk was made, but the description asks for none"
  fi

  # The uninstall key, exported as a .reg file (UTF-16) so that its names keep their accents.
  local key="HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\$product" reg=$work/uninstall.reg
  if "$wine_loader" reg export "$key" 'c:\uninstall.reg' /y >/dev/null 2>&1; then
    local values; values=$(iconv -f UTF-16 -t UTF-8 "$WINEPREFIX/drive_c/uninstall.reg" | tr -d '\r' \
      | sed -E 's/\\\\/\\/g; s/\\"/"/g')
    local name uninstall
    name=$(sed -n 's/^"DisplayName"="\(.*\)"$/\1/p' <<<"$values")
    uninstall=$(sed -n 's/^"UninstallString"="\(.*\)"$/\1/p' <<<"$values")
    [ "${description[create_uninstall]}" = 1 ] || differs "an uninstall key $key was made, but the description asks for none"
    [ "${description[create_uninstall]}" = 0 ] || [ "$name" = "$product" ] || differs "$key: DisplayName [$name], want [$product]"
    case $uninstall in
      *"$program"*" ${description[uninstall_argument]}") ;;
      *) [ "${description[create_uninstall]}" = 0 ] || differs "$key: UninstallString [$uninstall], want $program with ${description[uninstall_argument]}" ;;
    esac
  elif [ "${description[create_uninstall]}" = 1 ]; then
    differs "no uninstall key $key"
  fi
  local code; code=$(cat "$work/exit" 2>/dev/null)
  [ "$code" = 1 ] || differs "setup.exe exit code [${code:-still running}], want [1]"
  finish
)
