#!/usr/bin/env bash
# Runs a Windows program of the build under Wine, in the build folder's own prefix. The first
# run makes the prefix; tests that start at once wait for it instead of making it twice.
set -euo pipefail
build_dir=$(cd "$(dirname "$1")/.." && pwd)
export WINEPREFIX="${VELMORA_WINEPREFIX:-$build_dir/wineprefix}"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
wine=/usr/lib/wine/wine64
(
  flock 9
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    "$wine" wineboot --init >/dev/null 2>&1 || true
  fi
) 9>"$build_dir/.wineprefix.lock"
exec "$wine" "$@"
