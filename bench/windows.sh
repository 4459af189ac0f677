#!/usr/bin/env bash
# Start-up of the Windows program under Wine against a bare Qt window built the same way (static
# Qt, MinGW, Release), in the same run: the time from the start of `wine <program>` to its window
# being mapped, with the connection to a local server. Measured twice: from a cold start of Wine
# (each run starts its own wineserver) and with Wine already running (a persistent wineserver,
# as on a machine where the parent application runs under Wine).
#   bench/windows.sh [runs]      (10 of each by default; needs scripts/windows.sh run first)
set -euo pipefail
raiz=$(cd "$(dirname "$0")/.." && pwd)
cd "$raiz"
execucoes=${1:-10}
programa=build-windows/instalado/RelLicensaCliente.exe
vazia=build-windows/bench/janela_vazia.exe
[ -f "$programa" ] && [ -f "$vazia" ] || {
    echo "bench/windows.sh: run scripts/windows.sh first" >&2
    exit 1
}
cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DLANCADOR_TESTS=OFF >/dev/null
cmake --build build-bench --target medir_inicio >/dev/null

source bench/ambiente.sh
export WINEPREFIX="$trabalho/wine" WINEDEBUG=-all
antes_de_encerrar="wineserver -k"
bash tests/e2e/wine_prefixo.sh criar "$WINEPREFIX"

# Prints the median time in ms of $execucoes starts of a program under Wine (medir_inicio's
# figures). With "frio", Wine is ended before each start.
medir() { # frio|quente <title> <program> [arguments...]
    local modo=$1 titulo=$2
    shift 2
    for _ in $(seq "$execucoes"); do
        [ "$modo" = frio ] && { wineserver -k 2>/dev/null || true; wineserver -w 2>/dev/null || true; }
        build-bench/bench/medir_inicio 1 "$titulo" "$(command -v wine)" "$@" | awk '/^median/ { print $2 }'
    done | sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}
comparar() {
    local ms_base ms_prog
    ms_base=$(medir "$1" "Janela vazia" "$vazia")
    ms_prog=$(medir "$1" "Relação de Licensa Clientes" "$programa" 127.0.0.1 "$porta" bench bench bench 1 1 bench)
    echo "bare Qt window: $ms_base ms   program: $ms_prog ms   ratio: $(awk "BEGIN { printf \"%.2f\", $ms_prog / $ms_base }")"
}

echo "== Start-up to the window shown under Wine, median of $execucoes, Wine started cold each time"
comparar frio
echo "== The same with Wine already running (a persistent wineserver)"
wineserver -k 2>/dev/null || true
wineserver -w
wineserver -p
wine cmd /c exit >/dev/null 2>&1 || true # the prefix's services up before the first measured run
comparar quente
echo "== Size of the stripped programs"
x86_64-w64-mingw32-strip -o "$trabalho/janela_vazia.exe" "$vazia"
echo "bare Qt window: $(stat -c %s "$trabalho/janela_vazia.exe") bytes   program: $(stat -c %s "$programa") bytes"
