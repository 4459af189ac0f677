#!/usr/bin/env bash
# Runs every benchmark against baselines measured in the same run and prints the ratios:
# - start-up to the window shown and peak memory of the program, connected to a local server,
#   against a bare Qt window and against the floor (the client library loaded, the same
#   connection, a window of the same size with captions, nothing else); the three alternate run
#   by run, so that all of them see the same machine;
# - the launch (executar) against a bare spawn of the shell;
# - the connection step against a bare PQconnectdb of the same string.
#   bench/executar.sh [runs]     (15 start-ups of each program by default)
# Run it on a quiet machine: other load shows in every figure.
set -euo pipefail
raiz=$(cd "$(dirname "$0")/.." && pwd)
cd "$raiz"
execucoes=${1:-15}

bash scripts/dependencias.sh
cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DLANCADOR_TESTS=OFF >/dev/null
cmake --build build-bench
source bench/ambiente.sh
cmake --install build-bench --prefix "$trabalho/instalado" >/dev/null

# One start-up of a program: "<name> <ms> <kB>".
medir() { # <name> <window title> <program> [arguments...]
    local nome=$1
    shift
    build-bench/bench/medir_inicio 1 "$@" | awk -v nome="$nome" 'NR == 1 { print nome, $1, $2 }'
}
sessao=(127.0.0.1 "$porta" bench bench bench)
amostras="$trabalho/amostras"
for ((i = 0; i < execucoes; i++)); do
    medir vazia "Janela vazia" build-bench/bench/janela_vazia
    medir piso "Piso" build-bench/bench/piso "$trabalho/instalado/DLL/lib/libpq.so.5" "${sessao[@]}"
    medir programa "Relação de Licensa Clientes" "$trabalho/instalado/RelLicensaCliente" \
        "${sessao[@]}" 1 1 bench
done >"$amostras"

comparar() { # <column> <unit> <target against the bare window> <target against the floor>
    local vazia piso programa
    vazia=$(mediana "$amostras" vazia "$1")
    piso=$(mediana "$amostras" piso "$1")
    programa=$(mediana "$amostras" programa "$1")
    echo "bare Qt window: $vazia $2   floor: $piso $2   program: $programa $2"
    echo "ratio to the bare window: $(razao "$programa" "$vazia") (target $3)"
    echo "ratio to the floor: $(razao "$programa" "$piso") (target $4)"
}
echo "== Start-up to the window shown, median of $execucoes (connected to a local server)"
comparar 2 ms 1.5 1.10
echo "== Peak memory (VmHWM) with the window shown, median of $execucoes"
comparar 3 kB 1.3 1.10
echo "== Launch"
build-bench/bench/bench_executar 200
echo "== Connection step"
build-bench/bench/bench_conexao
