#!/usr/bin/env bash
# Sets up, builds and starts the launcher.
set -euo pipefail
cd "$(dirname "$0")"

bash scripts/dependencias.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "No display. Run this from a desktop session, or: xvfb-run -a ./run.sh" >&2
    exit 1
fi
exec build/app/RelLicensaCliente "$@"
