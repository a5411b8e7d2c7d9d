#!/usr/bin/env bash
# Runs COMMAND in a private network, mount and process namespace of its own, where the update
# host's name resolves to 127.0.0.1 and the only trusted certificate authority is the tests' own
# (made by update-certificates.sh in CERTIFICATES). The module then reaches a server on loopback
# at its real https address, on the real port, with the real certificate checks of libcurl (which
# reads the system's CA bundle) and of Windows' URL service under Wine (whose crypt32 imports the
# same bundle), and nothing of the machine's own network, names or trust is touched. Everything
# started inside ends with the command.
#
# Usage: update-network.sh CERTIFICATES FOLDER [--layer DIR]... -- COMMAND [ARGS...]
#   FOLDER     a scratch folder for the namespace's hosts file and CA bundle
#   --layer    DIR reads as it is, but what the command writes there goes to FOLDER and is
#              dropped afterwards (the Wine prefix: a second wineserver writes its registry there)
# Needs root; otherwise it says so and ends with status 77 without running COMMAND.
set -euo pipefail
certificates=$1
folder=$2
shift 2
layers=()
while [ "${1:-}" = "--layer" ]; do
  layers+=("$2")
  shift 2
done
[ "${1:-}" = "--" ] && shift
if [ "$(id -u)" != 0 ]; then
  echo "update-network: not run: a private network and mount namespace needs root" >&2
  exit 77
fi
here=$(cd "$(dirname "$0")" && pwd)
bash "$here/update-certificates.sh" "$certificates"

rm -rf "$folder"
mkdir -p "$folder/trust" "$folder/tmp"
printf '127.0.0.1 localhost\n::1 localhost\n127.0.0.1 updates.velmora.example\n' > "$folder/hosts"
cp "$certificates/ca.crt" "$folder/trust/ca-certificates.crt"
for i in "${!layers[@]}"; do
  mkdir -p "$folder/layer$i/upper" "$folder/layer$i/work"
done

# Inside: loopback up, the name and the trust bound over the system's files, a /tmp of its own
# (Wine then starts a wineserver in here: Wine makes its sockets in the wineserver's process, so
# one started outside would connect from outside), and the layers.
inside='
set -e
ip link set lo up
mount --bind "$FOLDER/hosts" /etc/hosts
mount --bind "$FOLDER/trust" /etc/ssl/certs
mount --bind "$FOLDER/tmp" /tmp
i=0
for layer in "$@"; do
  [ "$layer" = -- ] && break
  mount -t overlay overlay \
    -o "lowerdir=$layer,upperdir=$FOLDER/layer$i/upper,workdir=$FOLDER/layer$i/work" "$layer"
  i=$((i + 1))
  shift
done
shift
"$@"'
# Nothing there goes through a proxy: the update host is reached by its name.
unset http_proxy https_proxy HTTP_PROXY HTTPS_PROXY
FOLDER=$folder exec unshare --net --mount --pid --fork --kill-child --mount-proc \
  bash -c "$inside" update-network "${layers[@]}" -- "$@"
