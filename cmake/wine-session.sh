#!/usr/bin/env bash
# The Wine session of a build's Windows tests: wine-session.sh prefix|start|stop BUILD_DIR
#   prefix  makes the build's Wine prefix once (tests that start at once wait for it);
#   start   ends whatever session the prefix has (one the build's test listing left, or an
#           earlier run that never stopped), then starts one for the test run;
#   stop    ends the session and waits until it is gone.
# One session lasts the whole run. A session that Wine ends by itself a minute after its last
# program ended during runs under load, and Wine ends the programs still running in a session
# it ends with status 1, saying nothing. And the session's background programs (services,
# devices) keep the files of the program that started them open for as long as they run, so
# that whoever reads that program's output waits for them: started here, they hold none.
set -euo pipefail
trap 'echo "wine-session: line $LINENO of wine-session.sh failed (status $?)" >&2' ERR
command=$1
build_dir=$(cd "$2" && pwd)
export WINEPREFIX="${VELMORA_WINEPREFIX:-$build_dir/wineprefix}"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
wine=/usr/lib/wine/wine64
server=/usr/lib/wine/wineserver
# What the Wine server says (a client it found at fault, for one) goes here; wine-run.sh shows
# what it said while a program that failed ran.
server_log="$build_dir/wineserver.log"
# Ten minutes without a Windows program end a session that no stop ended (an interrupted run).
idle_seconds=600

make_prefix() {
  (
    flock 9
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
      "$wine" wineboot --init </dev/null >/dev/null 2>&1 9>&- || true
      # Until its wineserver ends, the new prefix's registry is not all on disk; a program that
      # starts a wineserver of its own on the prefix (in a private network) would read it half
      # made.
      "$server" -w </dev/null >/dev/null 2>&1 9>&- || true
    fi
  ) 9>"$build_dir/.wineprefix.lock"
}

end_session() {
  "$server" -k </dev/null >/dev/null 2>&1 || true
  "$server" -w </dev/null >/dev/null 2>&1
}

case "$command" in
  prefix)
    make_prefix
    ;;
  start)
    make_prefix
    end_session
    "$server" -p"$idle_seconds" </dev/null >/dev/null 2>>"$server_log"
    "$wine" wineboot </dev/null >/dev/null 2>&1
    echo "wine-session: started in $WINEPREFIX"
    ;;
  stop)
    end_session
    echo "wine-session: ended"
    ;;
  *)
    echo "wine-session: unknown command $command" >&2
    exit 2
    ;;
esac
