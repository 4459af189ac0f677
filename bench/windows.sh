#!/usr/bin/env bash
# Start-up of the Windows program under Wine against a bare Qt window and the floor (see
# bench/executar.sh), built the same way (static Qt, MinGW, Release), started in turn, run by run:
# the time from the start of `wine <program>` to its window being mapped, with the connection to
# a local server. Measured twice: from a cold start of Wine (each run starts its own wineserver)
# and with Wine already running (a persistent wineserver, as on a machine where the parent
# application runs under Wine).
#   bench/windows.sh [runs]      (10 of each by default; needs scripts/windows.sh run first)
set -euo pipefail
raiz=$(cd "$(dirname "$0")/.." && pwd)
cd "$raiz"
execucoes=${1:-10}
programa=build-windows/instalado/RelLicensaCliente.exe
vazia=build-windows/bench/janela_vazia.exe
piso=build-windows/bench/piso.exe
[ -f "$programa" ] && [ -f "$vazia" ] && [ -f "$piso" ] || {
    echo "bench/windows.sh: run scripts/windows.sh first" >&2
    exit 1
}
cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DLANCADOR_TESTS=OFF >/dev/null
cmake --build build-bench --target medir_inicio >/dev/null

source bench/ambiente.sh
export WINEPREFIX="$trabalho/wine" WINEDEBUG=-all
antes_de_encerrar="wineserver -k"
bash tests/e2e/wine_prefixo.sh criar "$WINEPREFIX"

# One start-up under Wine in ms (medir_inicio's figure). With "frio", Wine is ended first.
medir() { # frio|quente <title> <program> [arguments...]
    local modo=$1 titulo=$2
    shift 2
    [ "$modo" = frio ] && { wineserver -k 2>/dev/null || true; wineserver -w 2>/dev/null || true; }
    build-bench/bench/medir_inicio 1 "$titulo" "$(command -v wine)" "$@" | awk 'NR == 1 { print $1 }'
}
libpq=$(winepath -w build-windows/instalado/DLL/lib/libpq.dll)
sessao=(127.0.0.1 "$porta" bench bench bench)
comparar() { # frio|quente
    local amostras="$trabalho/amostras-$1" ms_vazia ms_piso ms_programa
    for _ in $(seq "$execucoes"); do
        echo "vazia $(medir "$1" "Janela vazia" "$vazia")"
        echo "piso $(medir "$1" Piso "$piso" "$libpq" "${sessao[@]}")"
        echo "programa $(medir "$1" "Relação de Licensa Clientes" "$programa" "${sessao[@]}" 1 1 bench)"
    done >"$amostras"
    ms_vazia=$(mediana "$amostras" vazia 2)
    ms_piso=$(mediana "$amostras" piso 2)
    ms_programa=$(mediana "$amostras" programa 2)
    echo "bare Qt window: $ms_vazia ms   floor: $ms_piso ms   program: $ms_programa ms"
    echo "ratio to the bare window: $(razao "$ms_programa" "$ms_vazia")" \
        "  ratio to the floor: $(razao "$ms_programa" "$ms_piso")"
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
