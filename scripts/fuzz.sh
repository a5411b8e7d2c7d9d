#!/usr/bin/env bash
# Builds the libFuzzer targets (the "fuzz" preset, clang) and runs each for SECONDS (default 30)
# from its corpus in tests/fuzz/corpus. New inputs go to BUILD/corpus; a finding stops the run
# with the failing input in BUILD, to be kept as a regression input in the corpus. A single
# allocation over 256 MiB, or an input that takes over 10 s, is a finding too.
# Usage: [FUZZ_BUILD_DIR=build/NAME] fuzz.sh [SECONDS]   (build dir default: build/fuzz)
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-30}
build=${FUZZ_BUILD_DIR:-build/fuzz}
targets=(settings overrides versions dib picture strings http member_versions catalogue_check
  private_names)

cmake --preset fuzz -B "$build" >/dev/null
cmake --build "$build" -j "$(nproc)" --target "${targets[@]/%/_fuzz}"
root=$(pwd)
for target in "${targets[@]}"; do
  echo "=== fuzz: $target for ${seconds} s"
  mkdir -p "$build/corpus/$target"
  log=$build/$target.log
  if ! (cd "$build" && "bin/${target}_fuzz" -max_total_time="$seconds" -malloc_limit_mb=256 \
          -timeout=10 -print_final_stats=1 "corpus/$target" "$root/tests/fuzz/corpus/$target") \
          >"$log" 2>&1; then
    tail -40 "$log"
    exit 1
  fi
  grep -E "^Done" "$log"
done
