#!/usr/bin/env bash
# Runs a Windows program of the build under Wine, in the build folder's own prefix.
set -euo pipefail
build_dir=$(cd "$(dirname "$1")/.." && pwd)
export WINEPREFIX="${VELMORA_WINEPREFIX:-$build_dir/wineprefix}"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
exec /usr/lib/wine/wine64 "$@"
