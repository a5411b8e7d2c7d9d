#!/usr/bin/env bash
# clang-tidy over the sources that the Linux build compiles (the Windows-only files are checked
# by the cross build's warnings).
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --preset linux >/dev/null
git ls-files '*.cpp' | grep -v -E '(^|/)win32/|_(gdi|wic|pe)\.cpp$|/golden/' |
  xargs clang-tidy -p build/linux --quiet 2>&1 | grep -E '^/.*(warning|error):' || echo "clang-tidy: no findings"
