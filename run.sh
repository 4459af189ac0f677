#!/usr/bin/env bash
# Sets up, builds and installs the launcher into ./instalado, starts a throw-away PostgreSQL server
# on loopback with a demo role and database, and starts the program connected to it, as the
# parent application would. The server is stopped and removed when the program exits, or when
# Ctrl+C stops this script (which then ends the program and exits 0).
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

bash scripts/dependencias.sh programa
cmake -S . -B build-programa -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DLANCADOR_SO_PROGRAMA=ON >/dev/null
cmake --build build-programa
cmake --install build-programa --prefix "$PWD/instalado" >/dev/null

servidor=$(mktemp -d /tmp/relatorio-pg.XXXXXX)
rmdir "$servidor"
pid_x=""
pid_programa=""
encerrar() {
    [ -n "$pid_programa" ] && kill "$pid_programa" 2>/dev/null || true
    if [ -n "$pid_x" ]; then
        kill "$pid_x" 2>/dev/null || true
        wait "$pid_x" 2>/dev/null || true
    fi
    bash scripts/servidor_pg.sh stop "$servidor"
}
trap encerrar EXIT
porta=$(bash scripts/servidor_pg.sh start "$servidor" --papel demo demo --banco demo demo --vigiar $$)
echo "PostgreSQL on 127.0.0.1:$porta (role demo, password demo, database demo)"

if [ $usar_xvfb = 1 ]; then
    # In a session of its own, like the program: Ctrl+C reaches only this script, which then ends
    # the program before its display.
    setsid Xvfb -displayfd 3 -nolisten tcp -screen 0 1280x1024x24 3>"$servidor.tela" 2>/dev/null &
    pid_x=$!
    until [ -s "$servidor.tela" ]; do sleep 0.05; done
    export DISPLAY=":$(cat "$servidor.tela")"
    rm -f "$servidor.tela"
    echo "Running on the virtual display $DISPLAY; Ctrl+C stops it."
fi

# Server, port, user, password, database, company code, employee code, login.
setsid instalado/RelLicensaCliente 127.0.0.1 "$porta" demo demo demo 1 1 demo &
pid_programa=$!
interrompido=0
trap 'interrompido=1; echo " stopping."; kill "$pid_programa" 2>/dev/null || true' INT TERM
status=0
wait "$pid_programa" || status=$?
# Stopped by Ctrl+C: the program's own end follows; the stop itself is no failure.
if [ $interrompido = 1 ]; then
    wait "$pid_programa" 2>/dev/null || true
    status=0
fi
pid_programa=""
exit "$status"
