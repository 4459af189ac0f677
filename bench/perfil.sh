#!/usr/bin/env bash
# Where the start-up goes: counts the instructions of the floor and of the program from their
# start to the event loop (the window shown) with callgrind, on the same display and server as
# bench/executar.sh, then prints both totals and the functions whose inclusive cost differs most.
#   bench/perfil.sh [lines]     (30 by default; needs valgrind; the Release tree of executar.sh)
# The callgrind files stay in build-bench/perfil/ for callgrind_annotate or kcachegrind.
set -euo pipefail
raiz=$(cd "$(dirname "$0")/.." && pwd)
cd "$raiz"
linhas=${1:-30}
command -v valgrind >/dev/null || { echo "perfil.sh: valgrind is not installed" >&2; exit 1; }

cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DLANCADOR_TESTS=OFF >/dev/null
cmake --build build-bench >/dev/null
source bench/ambiente.sh
cmake --install build-bench --prefix "$trabalho/instalado" >/dev/null
saida=build-bench/perfil
rm -rf "$saida"
mkdir -p "$saida"

# Everything before the event loop, into <name>.1 (the part after it is left in <name>).
medir() { # <name> <window title> <program> [arguments...]
    local nome=$1 titulo=$2
    shift 2
    build-bench/bench/medir_inicio 1 "$titulo" /usr/bin/valgrind --tool=callgrind \
        "--dump-before=QCoreApplication::exec*" "--callgrind-out-file=$saida/$nome" "$@" \
        >/dev/null 2>&1
}
sessao=(127.0.0.1 "$porta" bench bench bench)
medir piso Piso build-bench/bench/piso "$trabalho/instalado/DLL/lib/libpq.so.5" "${sessao[@]}"
medir programa "Relação de Licensa Clientes" "$trabalho/instalado/RelLicensaCliente" \
    "${sessao[@]}" 1 1 bench

# "<instructions>\t<function>\t<library>" of a profile: inclusive or exclusive costs.
custos() { # <name> yes|no
    callgrind_annotate --inclusive="$2" --threshold=100 "$saida/$1.1" 2>/dev/null |
        awk '/^ *[0-9,]+ \(/ {
                 n = $1; gsub(",", "", n); f = $0
                 sub(/^ *[0-9,]+ \( *[0-9.]+%\) +/, "", f)
                 b = f; sub(/^.* \[/, "", b); sub(/\]$/, "", b); sub(/ \[.*$/, "", f)
                 sub(/^.*\//, "", b); if (b == f) b = ""
                 printf "%d\t%s\t%s\n", n, f, b
             }'
}
total() { custos "$1" no | awk -F '\t' '$2 == "PROGRAM TOTALS" { print $1 }'; }
# Sums of the first column per key (the second argument's column) for floor and program.
comparar() { # <yes|no> <key column>
    for nome in piso programa; do
        custos "$nome" "$1" | awk -F '\t' -v c="$2" -v n="$nome" '$2 != "PROGRAM TOTALS" {
            s[$c] += $1 } END { for (k in s) printf "%s\t%s\t%d\n", k, n, s[k] }'
    done | awk -F '\t' '{ v[$1, $2] = $3; k[$1] } END {
        for (x in k) printf "%11d %11d %+11d  %s\n", v[x, "piso"], v[x, "programa"],
                            v[x, "programa"] - v[x, "piso"], substr(x, 1, 90) }' |
        sort -k 3,3 -g -r
}
piso=$(total piso)
programa=$(total programa)
echo "instructions to the event loop: floor $piso, program $programa," \
    "ratio $(awk "BEGIN { printf \"%.3f\", $programa / $piso }")"
echo "== by library, exclusive (floor, program, difference):"
comparar no 3 | sed -n 1,12p
echo "== work that both do, inclusive, largest differences (floor, program, difference):"
comparar yes 2 | awk '$1 > 0 && $4 !~ /^\?\?\?:0x/' | sed -n "1,${linhas}p"
echo "== the program's own steps, inclusive:"
custos programa yes | awk -F '\t' '$3 == "RelLicensaCliente" { printf "%11d  %s\n", $1, substr($2, 1, 100) }' |
    sort -g -r | sed -n 1,15p
