#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing the launcher need; with the
# argument "windows", also those that build the Windows program and test it under Wine.
# Idempotent: installs only what is missing. Needs root (or sudo) when something is missing.
set -euo pipefail

pacotes=(
    cmake ninja-build g++ clang-format fonts-liberation clang libclang-rt-14-dev
    g++-mingw-w64-x86-64-posix
    qt6-base-dev qt6-base-dev-tools libgl-dev
    libgtest-dev
    libpq5 libpq-dev postgresql
    openjdk-17-jdk
    xvfb xauth xdotool xclip x11-utils libx11-dev
)
if [ "${1:-}" = windows ]; then
    # dpkg-dev for apt-get source; perl, bison and flex for Qt's and PostgreSQL's builds; the
    # 32-bit compiler for a test library of the wrong architecture.
    pacotes+=(
        gcc-mingw-w64-x86-64-posix gcc-mingw-w64-i686-posix dpkg-dev perl bison flex
        nsis zip wine wine64 fonts-wine x11-apps netpbm
    )
fi

faltam=()
for pacote in "${pacotes[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$pacote" 2>/dev/null | grep -q "install ok installed"; then
        faltam+=("$pacote")
    fi
done
[ ${#faltam[@]} -eq 0 ] && exit 0

echo "Installing: ${faltam[*]}"
if [ "$(id -u)" -eq 0 ]; then
    sudo=()
elif command -v sudo >/dev/null 2>&1; then
    sudo=(sudo)
else
    echo "Missing packages and no root rights. As root, run: apt-get install ${faltam[*]}" >&2
    exit 1
fi
"${sudo[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${faltam[@]}"
