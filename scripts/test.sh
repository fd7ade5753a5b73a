#!/bin/sh
# Sets up what this machine lacks, builds (the 32-bit program too, to keep it
# compiling), and runs every test under Wine, with a virtual display for the
# tests that open windows.
set -eu
cd "$(dirname "$0")/.."
./scripts/setup.sh
./scripts/build.sh
./scripts/build-i686.sh >/dev/null
cd build
xvfb-run -a -s "-screen 0 1280x1024x24" ctest --output-on-failure -j 2 "$@"
