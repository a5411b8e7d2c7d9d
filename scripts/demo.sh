#!/usr/bin/env bash
# Builds the hub and the demo member tools and runs a short scripted session in the emulated
# host: the hub, its user guide and five member tools in a throw-away add-ons folder, and a
# throw-away user folder. Prints the transcript.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh linux
cmake --preset linux-release >/dev/null
cmake --build --preset linux-release -j "$(nproc)" --target velmora-host >/dev/null

bin=build/linux-release/bin
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/user" "$work/addons"
cp "$bin"/addons/* "$work/addons/"
for member in StairMaker RoofBuilder WindowMaker "FacadeComposer 2" SunStudy; do
  cp "$bin/members/$member (AC160).apx" "$work/addons/"
done
echo "=== velmora-host --addons $work/addons --user-dir $work/user --script demo/session.script"
"$bin/velmora-host" --addons "$work/addons" --user-dir "$work/user" --script demo/session.script
echo "=== the version report saved from the About box ($work/user/versions.txt)"
tr -d '\r' <"$work/user/versions.txt"
