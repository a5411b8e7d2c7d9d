#!/usr/bin/env bash
# Builds the hub and the demo member tools and runs a short scripted session in the emulated
# host: the hub, its user guide and five member tools in a throw-away add-ons folder, and a
# throw-away user folder. Prints the transcript, and writes pictures of the dialogs into
# build/linux-release/demo-screenshots.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh linux
cmake --preset linux-release >/dev/null
cmake --build --preset linux-release -j "$(nproc)" --target velmora-host velmora-update-server \
  velmora_update_content >/dev/null

root=$PWD
bin=build/linux-release/bin
# The sessions' "screenshot" lines name files in the folder they run in.
shots=$root/build/linux-release/demo-screenshots
rm -rf "$shots"
mkdir -p "$shots"
# Not below /tmp: the session's private network has a /tmp of its own.
work=$root/build/linux-release/demo-work
rm -rf "$work"
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/user" "$work/addons"
cp "$bin"/addons/* "$work/addons/"
for member in StairMaker RoofBuilder WindowMaker "FacadeComposer 2" SunStudy; do
  cp "$bin/members/$member (AC160).apx" "$work/addons/"
done
server=$root/build/linux-release/tools/velmora-update-server/velmora-update-server
update_root=$root/build/linux-release/update-server-root
certificates=$root/build/linux-release/update-certificates
echo "=== update-network.sh ... -- velmora-update-server --root $update_root --port 443 ... -- \\"
echo "    velmora-host --addons $work/addons --user-dir $work/user --script demo/session.script"
# The update server answers at the update host's https address, in a private network of this
# session's own where that name is loopback and the demo's certificate authority is trusted.
(cd "$shots" && bash "$root/scripts/update-network.sh" "$certificates" "$work/network" -- \
  "$server" --root "$update_root" --port 443 --direct yes --certificates "$certificates" \
  --tls good --max-seconds 120 -- \
  "$root/$bin/velmora-host" --addons "$work/addons" --user-dir "$work/user" \
  --script "$root/demo/session.script")
echo "=== the version report saved from the About box ($work/user/versions.txt)"
tr -d '\r' <"$work/user/versions.txt"
mkdir "$work/screenshots-user"
(cd "$shots" && "$root/$bin/velmora-host" --addons "$work/addons" \
  --user-dir "$work/screenshots-user" --script "$root/demo/screenshots.script" >/dev/null)
echo "=== pictures of the dialogs: $shots"
ls "$shots"
