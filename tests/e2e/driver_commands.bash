#!/usr/bin/env bash
# Every window-driver command that scripts/demo, scripts/release-verify.bash and the Wine suites
# call (drv COMMAND ...) is one that release/window_driver_win.cpp answers: a command taken out of
# the driver, or misspelt in a script, fails here, on any machine, instead of half-way through a
# run under Wine. Run by CTest in the host tree with the source root as its argument.
root=${1:-$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)}
known=$(grep -oE 'command == "[a-z-]+"' "$root/release/window_driver_win.cpp" | cut -d'"' -f2 | sort -u)
[ -n "$known" ] || { echo "FAIL: no commands found in release/window_driver_win.cpp"; exit 1; }
status=0 calls=0
cd "$root" || exit 1
for script in scripts/demo scripts/release-verify.bash tests/e2e/*.bash; do
  [ "$script" = tests/e2e/driver_commands.bash ] && continue
  while IFS=: read -r line command; do
    calls=$((calls + 1))
    [[ $'\n'$known$'\n' == *$'\n'$command$'\n'* ]] && continue
    echo "FAIL: $script:$line calls the driver's \"$command\", which the driver does not have"
    status=1
  done < <(grep -noE '(\bdrv|"\$wine_driver"|"\$driver") +[a-z][a-z-]*' "$script" | sed -E 's/:.* +/:/')
done
echo "$calls driver calls checked against: $(paste -sd' ' <<<"$known")"
exit $status
