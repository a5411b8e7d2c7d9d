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

echo "=== tsan: the downloads, their hand-over to the main thread and whole update checks"
cmake --preset tsan >/dev/null
cmake --build --preset tsan -j "$jobs" --target download_test velmora-host velmora_module \
  velmora_members velmora-update-server velmora_update_content
TSAN_OPTIONS="halt_on_error=1" ctest --preset tsan -j "$jobs" \
  -R "^DownloadTest|^transcript[.](update_|auto_check|whole_session)"

echo "=== fuzz: each reader of outside data briefly"
bash scripts/fuzz.sh 20
