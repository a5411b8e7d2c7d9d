#!/usr/bin/env bash
# Runs a Windows program of the build under Wine, in the build folder's own prefix. The first
# run makes the prefix; tests that start at once wait for it instead of making it twice.
# "wine-run.sh --prefix PROGRAM" only makes the prefix and prints its folder.
set -euo pipefail
prefix_only=false
if [ "$1" = --prefix ]; then
  prefix_only=true
  shift
fi
build_dir=$(cd "$(dirname "$1")/.." && pwd)
export WINEPREFIX="${VELMORA_WINEPREFIX:-$build_dir/wineprefix}"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
wine=/usr/lib/wine/wine64
(
  flock 9
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    "$wine" wineboot --init </dev/null >/dev/null 2>&1 9>&- || true
    # Until its wineserver ends, the new prefix's registry is not all on disk; a program that
    # starts a wineserver of its own on the prefix (in a private network) would read it half made.
    /usr/lib/wine/wineserver -w </dev/null >/dev/null 2>&1 9>&- || true
  fi
) 9>"$build_dir/.wineprefix.lock"
if $prefix_only; then
  echo "$WINEPREFIX"
  exit 0
fi

# Wine stays up for a minute after its last program, so that programs run one after another do
# not each start its background processes anew (this fails at once when it is up already).
/usr/lib/wine/wineserver -p60 </dev/null >/dev/null 2>&1 || true

# The background processes keep the standard error of the program that started them open for as
# long as they run, and whoever reads it would wait for them: the program's errors go through a
# file instead, and follow its output when it ends.
errors=$(mktemp)
trap 'rm -f "$errors"' EXIT
status=0
"$wine" "$@" 2>"$errors" || status=$?
cat "$errors" >&2
# A program that ends before it writes anything leaves ctest nothing to show: say how it ended.
if [ "$status" -ne 0 ]; then
  echo "wine-run: $(basename "$1") ended with status $status" >&2
fi
exit "$status"
