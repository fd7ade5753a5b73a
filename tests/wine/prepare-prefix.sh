#!/bin/sh
# Creates the Wine prefix named by WINEPREFIX once, however many runs ask for
# it at the same time. Does nothing when it is ready.
set -eu
marker="$WINEPREFIX/.bootwise-ready"
[ -f "$marker" ] && exit 0
mkdir -p "$(dirname "$WINEPREFIX")"
exec 9>"$WINEPREFIX.lock"
flock 9
[ -f "$marker" ] && exit 0
wineboot -i >/dev/null 2>&1 </dev/null
# Without a window manager Wine waits 2 s whenever a window is hidden or
# destroyed, unless it manages the windows itself.
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1 </dev/null
wineserver -w
touch "$marker"
