#!/bin/sh
# Sets up what is missing, builds, and starts Bootwise on a demo Windows
# system (a Wine prefix of its own, build/demo-prefix) with sample entries in
# every place it knows. With a display, the window opens there. Without one,
# Bootwise runs on a virtual display, and a screenshot of its window is saved
# to build/bootwise.png.
set -eu
cd "$(dirname "$0")/.."
./scripts/setup.sh
./scripts/build.sh >/dev/null
cmake --build build --target seed_demo >/dev/null

export WINEPREFIX="$PWD/build/demo-prefix"
export WINEARCH=win64 WINEDEBUG=-all
export WINEDLLOVERRIDES="winedbg.exe=d;mscoree,mshtml=;winemenubuilder.exe=d"
"$PWD/tests/wine/prepare-prefix.sh"
wineserver -k 2>/dev/null || true

# Seeding and showing share one Wine session, on the display that shows the
# window: a new session starts by running (and deleting) the RunOnce
# entries, as Windows does at log-on.
if [ -n "${DISPLAY:-}" ]; then
    wineserver -p
    wine build/seed_demo.exe
    wine build/Bootwise.exe
    wineserver -k
    exit 0
fi

screenshot="$PWD/build/bootwise.png"
export screenshot
xvfb-run -a -s "-screen 0 1024x768x24" sh -c '
    wineserver -p
    wine build/seed_demo.exe
    wine build/Bootwise.exe &
    geometry=$(wine build/seed_demo.exe --show | tr -d "\r")
    sleep 1
    xwd -root -silent > build/screen.xwd
    /usr/bin/convert xwd:build/screen.xwd -crop "$geometry" +repage "$screenshot"
    rm -f build/screen.xwd
    wine build/seed_demo.exe --close
    wait
    wineserver -k
'
echo "No display here, so Bootwise ran on a virtual one; a picture of its window: $screenshot"
