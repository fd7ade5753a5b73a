#!/bin/sh
# Builds the 32-bit Bootwise.exe into build-i686/ (the program only; the tests
# run on the 64-bit build).
set -eu
cd "$(dirname "$0")/.."
cmake -S . -B build-i686 -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-i686.cmake -DBOOTWISE_TESTS=OFF >/dev/null
cmake --build build-i686 -j "$(nproc)"
