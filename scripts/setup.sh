#!/bin/sh
# Installs what a fresh Debian machine lacks to build and test Bootwise.
# Does nothing when everything is already there.
set -eu

packages="cmake make g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix mingw-w64-tools
          wine wine64 fonts-wine libxrender1 libxrandr2 libxi6 libxfixes3 libxcursor1 xvfb xauth x11-apps imagemagick googletest python3 util-linux"

missing=""
for p in $packages; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
        missing="$missing $p"
    fi
done
[ -z "$missing" ] && exit 0

echo "setup: installing$missing" >&2
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
# shellcheck disable=SC2086
$sudo apt-get install -y -qq --no-install-recommends $missing >/dev/null
