#!/usr/bin/env bash
# Builds the plain C++ layers (platform, report, data) for Windows with MinGW-w64, so that their
# Windows implementations keep compiling, warning-free, on this machine.
set -euo pipefail
cd "$(dirname "$0")/.."

cmake -S . -B build-windows -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake \
    -DLANCADOR_SO_CAMADAS_CPP=ON -DLANCADOR_WERROR=ON >/dev/null
cmake --build build-windows
