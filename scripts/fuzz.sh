#!/usr/bin/env bash
# Builds the libFuzzer targets (the "fuzz" preset, clang) and runs each for SECONDS (default 30)
# from its corpus in tests/fuzz/corpus. New inputs go to build/fuzz/corpus; a finding stops the
# run with the failing input in build/fuzz, to be kept as a regression input in the corpus.
# Usage: fuzz.sh [SECONDS]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-30}
targets=(settings overrides versions)

cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j "$(nproc)" --target "${targets[@]/%/_fuzz}"
for target in "${targets[@]}"; do
  echo "=== fuzz: $target for ${seconds} s"
  mkdir -p "build/fuzz/corpus/$target"
  log=build/fuzz/$target.log
  if ! (cd build/fuzz && "bin/${target}_fuzz" -max_total_time="$seconds" \
          "corpus/$target" "../../tests/fuzz/corpus/$target") >"$log" 2>&1; then
    tail -40 "$log"
    exit 1
  fi
  grep -E "^Done" "$log"
done
