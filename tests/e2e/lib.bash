# Shared by the Wine suites: a throw-away Wine prefix, a display, the setup program started in the
# background, the driver that acts on its windows, and the checks. Sourced, not run.
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/wine.bash"
# Environment, set by CTest (tests/e2e/CMakeLists.txt):
#   SETUP_EXE DRIVER_EXE PROBE_EXE DAMAGE_EXE KPX_TOOL SOURCE_DIR E2E_WORK
#   DESCRIPTION: the sample's package description as `kpx package` resolved it
# A suite exits 125 (skipped) when Wine cannot run the program here, 1 when a check failed.
set -u

failures=0 xvfb_pid="" setup_pid=""
wine_driver=$DRIVER_EXE
read_description "$DESCRIPTION" || exit 1
readonly kDialogCaption="Installing ${description[title]}"
readonly kDefaultDestination="${description[default_base_directory]}\\${description[default_folder_name]}"

# e2e_begin NAME: prefix, display and loader for one suite; skips when Wine cannot run the program.
e2e_begin() {
  suite=$1
  wine_use "$SETUP_EXE"
  arch=$wine_arch loader=$wine_loader  # the suites run Wine's own tools (reg) through the loader
  wine_can_run || { echo "skipped: Wine cannot run $arch programs here"; exit 125; }
  echo "== $suite: $SETUP_EXE ($arch)"  # win64: the x86-64 build, where 32-bit programs cannot start
  command -v Xvfb >/dev/null || [ -n "${DISPLAY:-}" ] || { echo "skipped: no display and no Xvfb"; exit 125; }
  work=$E2E_WORK/$suite
  rm -rf "$work"; mkdir -p "$work"
  make_template_prefix
  export WINEPREFIX=$work/prefix
  cp -a "$E2E_WORK/template-$arch" "$WINEPREFIX"
  [ -n "${DISPLAY:-}" ] || start_xvfb
  trap e2e_cleanup EXIT
}

# One initialised prefix per architecture, copied for every suite (initialising takes long).
make_template_prefix() {
  local template=$E2E_WORK/template-$arch
  exec 9>"$E2E_WORK/template-$arch.lock"
  flock 9
  if [ ! -f "$template/.ready" ]; then
    rm -rf "$template"
    # A boot that failed part-way leaves a prefix no program can start in: keep none (the lock
    # ends with the suite).
    wine_prefix "$template" ||
      { rm -rf "$template"; echo "FAIL: wineboot could not initialise a prefix in $template"; exit 1; }
    touch "$template/.ready"
  fi
  flock -u 9
}

e2e_cleanup() {
  [ -n "$setup_pid" ] && kill "$setup_pid" 2>/dev/null
  wine_stop
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
  rm -rf "$WINEPREFIX"
}

# launch [PROGRAM]: starts the setup program in the background, in C:\ (where a relative
# destination points).
launch() {
  rm -f "$work/exit"
  ( cd "$WINEPREFIX/drive_c" && "$loader" "${1:-$SETUP_EXE}" >/dev/null 2>&1; echo $? >"$work/exit" ) &
  setup_pid=$!
}

# start_setup [PROGRAM]: launches it and waits for its dialog.
start_setup() { launch "$@"; drv wait-window "$kDialogCaption" 60 || fail "the install dialog did not appear"; }
# install_to DESTINATION: types it into the dialog and presses Install.
install_to() { drv set-destination "$1"; drv press install; }


ok() { echo "ok: $1"; }
fail() { echo "FAIL: $1"; failures=$((failures + 1)); }

# expect WHAT GOT WANT
expect() { if [ "$2" = "$3" ]; then ok "$1"; else fail "$1: got [$2], want [$3]"; fi; }

# expect_soon WHAT WANT COMMAND...: expect on COMMAND's output, which may take up to 10 s to
# become WANT.
expect_soon() {
  local what=$1 want=$2 got
  shift 2
  for _ in $(seq 100); do got=$("$@"); [ "$got" = "$want" ] && break; sleep 0.1; done
  expect "$what" "$got" "$want"
}

# expect_box CAPTION TEXT BUTTONS: the next message box, within 60 s.
expect_box() {
  local box; box=$(drv box 60) || { fail "no message box \"$1\" appeared"; return; }
  expect "box \"$1\"" "$(grep -v -E '^(position|size)=' <<<"$box")" \
    "$(printf 'caption=%s\ntext=%s\nbuttons=%s' "$1" "$2" "$3")"
  grep -q -E '^size=[0-9]+x[0-9]+$' <<<"$box" || fail "box \"$1\": no size (scripts/demo's screenshot)"
}

expect_missing() { if [ -e "$2" ]; then fail "$1: $2 exists"; else ok "$1"; fi; }
expect_present() { if [ -e "$2" ]; then ok "$1"; else fail "$1: $2 is missing"; fi; }

# expect_exit_1: the setup program ends within 60 s, with exit code 1.
expect_exit_1() {
  for _ in $(seq 600); do [ -s "$work/exit" ] && break; sleep 0.1; done
  setup_pid=""
  expect "exit code" "$(cat "$work/exit" 2>/dev/null || echo "still running")" 1
}

e2e_end() {
  [ "$failures" -eq 0 ] && echo "== $suite: all checks passed" || echo "== $suite: $failures checks failed"
  exit $((failures > 0))
}

readonly kFinishText="${description[product_name]} has successfully\\ninstalled to your computer.\\nDo you want to launch the program now?"
readonly kNotEmptyText='This is not an empty directory.\nDo you want to install to this directory anyway?'
readonly kOverwriteText='Previous Quorvel has installed in this directory.\nDo you really want to overwrite?'
readonly kOlderText='Older version of Quorvel detected.\nIf you continue, setup will remove it.\n\nIf you choose NO, setup will be canceled.\nYou can backup your previous version manually,\nand run this setup again anytime.\n\nDo you want to continue?'
readonly kDecompressText='Can not decompress file!\nThe source file maybe damage.'
readonly kNoWindowText='Setup can not open its window.'
readonly kTooLongText='The destination path is too long.\nPlease choose a shorter one.'
