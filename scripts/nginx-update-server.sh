#!/usr/bin/env bash
# Serves ROOT with nginx on 127.0.0.1:PORT and runs COMMAND, so that the module's update host is
# reached through a stock web server: over plain http with http_proxy pointing at it, or with
# "--tls CERTIFICATE" over https (CERTIFICATE.crt and CERTIFICATE.key; the command then reaches it
# by the host's name, in a private network: scripts/update-network.sh). nginx is stopped when the
# command ends, and the command is stopped after 120 seconds.
# Usage: nginx-update-server.sh ROOT PORT [--tls CERTIFICATE] -- COMMAND [ARGS...]
#        (PORT 0: a free one)
set -euo pipefail
root=$(cd "$1" && pwd)
port=$2
shift 2
certificate=
if [ "${1:-}" = "--tls" ]; then
  certificate=$(cd "$(dirname "$2")" && pwd)/$(basename "$2")
  shift 2
fi
[ "${1:-}" = "--" ] && shift
here=$(cd "$(dirname "$0")/.." && pwd)
work=$(mktemp -d)
trap 'kill "$(cat "$work/nginx.pid" 2>/dev/null)" 2>/dev/null || true; rm -rf "$work"' EXIT
# Starts nginx on the port; false when it could not listen there.
start_nginx() {
  local tls="" listen="127.0.0.1:$1"
  if [ -n "$certificate" ]; then
    listen="$listen ssl"
    tls="ssl_certificate $certificate.crt; ssl_certificate_key $certificate.key;"
    tls="$tls ssl_protocols TLSv1.2 TLSv1.3;"
  fi
  sed -e "s|@ROOT@|$root|g" -e "s|@LISTEN@|$listen|g" -e "s|@TLS@|$tls|g" -e "s|@WORK@|$work|g" \
    "$here/demo/update-server/nginx.conf.in" > "$work/nginx.conf"
  rm -f "$work/nginx.pid"
  nginx -e "$work/error.log" -c "$work/nginx.conf" -p "$work" &
  local started=$!
  for _ in $(seq 100); do
    [ -s "$work/nginx.pid" ] && return 0
    kill -0 "$started" 2>/dev/null || return 1
    sleep 0.05
  done
  return 1
}
if [ "$port" = 0 ]; then
  for _ in $(seq 20); do
    port=$((20000 + RANDOM % 40000))
    start_nginx "$port" && break
    port=0
  done
  [ "$port" != 0 ] || { echo "nginx-update-server: no free port" >&2; exit 1; }
else
  start_nginx "$port" || { cat "$work/error.log" >&2; exit 1; }
fi
if [ -n "$certificate" ]; then
  timeout 120 "$@"
else
  http_proxy="http://127.0.0.1:$port" HTTP_PROXY="http://127.0.0.1:$port" timeout 120 "$@"
fi
