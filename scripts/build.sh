#!/bin/sh
# Builds Bootwise.exe, the tests and the benchmark into build/ (64-bit).
set -eu
cd "$(dirname "$0")/.."
cmake -S . -B build -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake >/dev/null
cmake --build build -j "$(nproc)"
