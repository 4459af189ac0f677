#!/usr/bin/env bash
# Sets up, builds and installs the launcher into ./instalado, starts a throw-away PostgreSQL server
# on loopback with a demo role and database, and starts the program connected to it, as the
# parent application would. The server is stopped and removed when the program exits.
#   ./run.sh           on the current display (a desktop session)
#   ./run.sh --xvfb    on a virtual X display (Xvfb), for a machine without one
set -euo pipefail
cd "$(dirname "$0")"

usar_xvfb=0
[ "${1:-}" = "--xvfb" ] && usar_xvfb=1
if [ $usar_xvfb = 0 ] && [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "No display: run this from a desktop session, or on a virtual display with ./run.sh --xvfb" >&2
    exit 1
fi

bash scripts/dependencias.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DLANCADOR_WERROR=ON >/dev/null
cmake --build build
cmake --install build --prefix "$PWD/instalado" >/dev/null

servidor=$(mktemp -d /tmp/relatorio-pg.XXXXXX)
rmdir "$servidor"
trap 'bash scripts/servidor_pg.sh stop "$servidor"' EXIT
porta=$(bash scripts/servidor_pg.sh start "$servidor" --papel demo demo --banco demo demo --vigiar $$)
echo "PostgreSQL on 127.0.0.1:$porta (role demo, password demo, database demo)"

# Server, port, user, password, database, company code, employee code, login.
argumentos=(127.0.0.1 "$porta" demo demo demo 1 1 demo)
if [ $usar_xvfb = 1 ]; then
    xvfb-run -a instalado/RelLicensaCliente "${argumentos[@]}"
else
    instalado/RelLicensaCliente "${argumentos[@]}"
fi
