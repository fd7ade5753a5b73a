#!/bin/sh
# Starts or stops the Wine session that the tests share.
#   session.sh start BUILD_DIR DESKTOP_KEEPER_EXE
#   session.sh stop BUILD_DIR
set -eu
action=$1
build=$2
. "$build/wine-env.sh"

case "$action" in
start)
    "$BOOTWISE_SOURCE_DIR/tests/wine/prepare-prefix.sh"
    # A server started here, detached from the test's output, stays for the
    # whole run; one that a test program starts would hold that program's
    # output open for seconds after it ends.
    # It is ready when the command returns.
    wineserver -p >/dev/null 2>&1 </dev/null || true
    # One desktop for the run, instead of one started (and waited for) per
    # program; the tests start once it is there.
    if [ -n "${DISPLAY:-}" ]; then
        setsid wine "$3" >/dev/null 2>&1 </dev/null &
        tries=0
        until pgrep -f 'explorer.exe /desktop' >/dev/null || [ $tries -ge 100 ]; do
            sleep 0.1
            tries=$((tries + 1))
        done
    fi
    ;;
stop)
    wineserver -k >/dev/null 2>&1 || true
    wineserver -w >/dev/null 2>&1 || true
    ;;
esac
