#!/usr/bin/env bash
# Installs what is missing, builds both presets and runs every test of both.
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=$(nproc)

bash scripts/install-deps.sh all

for preset in linux windows; do
  echo "=== $preset: configure and build"
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" -j "$jobs"
  echo "=== $preset: tests"
  ctest --preset "$preset" -j "$jobs"
done

echo "=== fuzz: each reader of outside data briefly"
bash scripts/fuzz.sh 20
