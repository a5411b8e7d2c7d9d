#!/usr/bin/env bash
# Serves ROOT with nginx on 127.0.0.1:PORT and runs COMMAND with http_proxy pointing at it, so
# that the module's update host is reached through a stock web server. nginx is stopped when the
# command ends, and the command is stopped after 120 seconds.
# Usage: nginx-update-server.sh ROOT PORT -- COMMAND [ARGS...]
set -euo pipefail
root=$(cd "$1" && pwd)
port=$2
shift 2
[ "${1:-}" = "--" ] && shift
here=$(cd "$(dirname "$0")/.." && pwd)
work=$(mktemp -d)
trap 'kill "$(cat "$work/nginx.pid" 2>/dev/null)" 2>/dev/null || true; rm -rf "$work"' EXIT
sed -e "s|@ROOT@|$root|g" -e "s|@PORT@|$port|g" -e "s|@WORK@|$work|g" \
  "$here/demo/update-server/nginx.conf.in" > "$work/nginx.conf"
nginx -e "$work/error.log" -c "$work/nginx.conf" -p "$work" &
for _ in $(seq 100); do
  [ -s "$work/nginx.pid" ] && break
  sleep 0.05
done
http_proxy="http://127.0.0.1:$port" HTTP_PROXY="http://127.0.0.1:$port" \
  timeout 120 "$@"
