#!/usr/bin/env bash
# Runs a Windows program of the build under Wine, in the build folder's own prefix. The first
# run makes the prefix; tests that start at once wait for it instead of making it twice.
# "wine-run.sh --prefix PROGRAM" only makes the prefix and prints its folder.
set -euo pipefail
# A step of this script that fails says so; the program's own status is reported below.
trap 'echo "wine-run: line $LINENO of wine-run.sh failed (status $?)" >&2' ERR
prefix_only=false
if [ "$1" = --prefix ]; then
  prefix_only=true
  shift
fi
build_dir=$(cd "$(dirname "$1")/.." && pwd)
export WINEPREFIX="${VELMORA_WINEPREFIX:-$build_dir/wineprefix}"
# Wine's own error messages ("NNNN:err:...") say why a program failed under it: they are shown
# only then, so that a program that succeeds writes what it wrote and nothing else.
export WINEDEBUG=-all,err+all
export WINEDLLOVERRIDES="mscoree,mshtml="
wine=/usr/lib/wine/wine64
"$(dirname "$0")/wine-session.sh" prefix "$build_dir"
if $prefix_only; then
  echo "$WINEPREFIX"
  exit 0
fi

# Outside the tests, which run in a session of their own (wine-session.sh), Wine stays up for a
# minute after its last program, so that programs run one after another do not each start its
# background processes anew (this fails at once when it is up already).
server_log="$build_dir/wineserver.log"
/usr/lib/wine/wineserver -p60 </dev/null >/dev/null 2>>"$server_log" || true
server_said=$(stat -c %s "$server_log" 2>/dev/null || echo 0)

# Background processes that the program starts (the desktop, when it makes a window) keep its
# files open for as long as they run, and whoever reads them would wait for them: unless a person
# watches at a terminal, the program's output and errors go through files, shown when it ends.
errors=$(mktemp)
output=$(mktemp)
trap 'rm -f "$errors" "$output"' EXIT
status=0
if [ -t 1 ]; then
  "$wine" "$@" 2>"$errors" || status=$?
else
  "$wine" "$@" >"$output" 2>"$errors" || status=$?
  cat "$output"
fi
if [ "$status" -eq 0 ]; then
  grep -a -v -E '^[0-9a-f]{4}:err:' "$errors" >&2 || true
else
  cat "$errors" >&2
fi
# A program that ends before it writes anything leaves ctest nothing to show: say how it ended.
# Wine passes on the lowest byte of a Windows exit code (of an exception code such as 0xC0000005
# too: 5); above 128 it may also be a signal that ended Wine.
if [ "$status" -gt 128 ]; then
  echo "wine-run: $(basename "$1") ended with status $status (or by signal $((status - 128)))" >&2
elif [ "$status" -ne 0 ]; then
  echo "wine-run: $(basename "$1") ended with status $status" >&2
fi
if [ "$status" -ne 0 ] && [ "$(stat -c %s "$server_log" 2>/dev/null || echo 0)" -gt "$server_said" ]; then
  echo "wine-run: meanwhile the Wine server said:" >&2
  tail -c +"$((server_said + 1))" "$server_log" | tail -n 20 >&2
fi
exit "$status"
