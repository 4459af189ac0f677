#!/usr/bin/env bash
# Runs every benchmark against baselines measured in the same run and prints the ratios:
# - start-up to the window shown, with the connection to a local server, against a bare Qt window;
# - peak memory of the running program against the same bare window;
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

medir() { # <title> <program> [arguments...] -> "<ms> <kB>" medians
    build-bench/bench/medir_inicio "$execucoes" "$@" | awk '/^median/ { print $2, $4 }'
}
read -r ms_base kb_base < <(medir "Janela vazia" build-bench/bench/janela_vazia)
read -r ms_prog kb_prog < <(medir "Relação de Licensa Clientes" "$trabalho/instalado/RelLicensaCliente" \
    127.0.0.1 "$porta" bench bench bench 1 1 bench)

echo "== Start-up to the window shown, median of $execucoes (connected to a local server)"
echo "bare Qt window: $ms_base ms   program: $ms_prog ms   ratio: $(awk "BEGIN { printf \"%.2f\", $ms_prog / $ms_base }") (target 1.5)"
echo "== Peak memory (VmHWM) with the window shown"
echo "bare Qt window: $kb_base kB   program: $kb_prog kB   ratio: $(awk "BEGIN { printf \"%.2f\", $kb_prog / $kb_base }") (target 1.3)"
echo "== Launch"
build-bench/bench/bench_executar 200
echo "== Connection step"
build-bench/bench/bench_conexao
