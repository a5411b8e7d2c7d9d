#!/usr/bin/env bash
# clang-tidy over the sources that the Linux build compiles (the Windows side of platform/ is
# checked by the cross build's warnings).
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --preset linux >/dev/null
git ls-files '*.cpp' | grep -v -E '^platform/win32/|/golden/' |
  xargs clang-tidy -p build/linux --quiet 2>&1 | grep -E '^/.*(warning|error):' || echo "clang-tidy: no findings"
