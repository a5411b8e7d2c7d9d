#!/usr/bin/env bash
# Builds the hub and runs a short scripted session of it in the emulated host, in a throw-away
# user folder, printing the transcript.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh linux
cmake --preset linux-release >/dev/null
cmake --build --preset linux-release -j "$(nproc)" --target velmora-host velmora_module >/dev/null

user_dir=$(mktemp -d)
trap 'rm -rf "$user_dir"' EXIT
echo "=== velmora-host --user-dir $user_dir --script demo/session.script"
build/linux-release/bin/velmora-host --user-dir "$user_dir" --script demo/session.script
