# start_xvfb: starts Xvfb on the first free display from :90 up (never :0), sets DISPLAY and
# xvfb_pid. Sourced through scripts/wine.bash.
start_xvfb() {
  local n
  for n in $(seq 90 189); do
    [ -e "/tmp/.X$n-lock" ] && continue
    Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
    xvfb_pid=$!
    for _ in $(seq 50); do
      # Ours only when the lock names our server: another one may have taken the number first.
      if [ -e "/tmp/.X11-unix/X$n" ] && [ "$(tr -d ' \n' <"/tmp/.X$n-lock" 2>/dev/null)" = "$xvfb_pid" ]; then
        export DISPLAY=:$n
        return 0
      fi
      kill -0 "$xvfb_pid" 2>/dev/null || break  # lost the race for this number
      sleep 0.1
    done
    kill "$xvfb_pid" 2>/dev/null
  done
  echo "no free display for Xvfb" >&2
  return 1
}
