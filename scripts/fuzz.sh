#!/usr/bin/env bash
# Builds the fuzz targets of fuzz/ with clang in build-fuzz/, checks the shell model they use
# against the real /bin/sh, and runs every target for the given time.
#
#   scripts/fuzz.sh [seconds per target] [target...]      default: 600 s, every target
#   FUZZ_PARALELO=2 scripts/fuzz.sh 600                    two targets at a time
#
# Needs clang and libclang-rt-14-dev (libFuzzer), libpq-dev and libgtest-dev.
# Each target starts from its seeds in fuzz/corpus/<target>/ and keeps what it learns in
# build-fuzz/corpus/<target>/. A crash, a sanitizer report, a broken property, a hang or a leak
# makes the script exit with 1 and print the path of the input that reproduces it; run
# build-fuzz/<target> <that path> to see it again.
set -euo pipefail
cd "$(dirname "$0")/.."

segundos="${1:-600}"
shift || true
paralelo="${FUZZ_PARALELO:-1}"
pasta=build-fuzz

CC=clang CXX=clang++ cmake -S fuzz -B "$pasta" -G Ninja >/dev/null
cmake --build "$pasta" -j2
ctest --test-dir "$pasta" --output-on-failure

if [ $# -gt 0 ]; then
    alvos=("$@")
else
    alvos=()
    for semente in fuzz/corpus/*/; do
        alvos+=("$(basename "$semente")")
    done
fi

export ASAN_OPTIONS="abort_on_error=1:detect_leaks=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"

rodar() {
    local alvo="$1"
    local achados="$pasta/achados/$alvo"
    local registro="$pasta/registros/$alvo.log"
    rm -rf "$achados"
    mkdir -p "$pasta/corpus/$alvo" "$achados" "$pasta/registros"
    if "$pasta/$alvo" -max_total_time="$segundos" -timeout=10 -rss_limit_mb=2048 \
        -max_len=4096 -print_final_stats=1 -artifact_prefix="$achados/" \
        "$pasta/corpus/$alvo" "fuzz/corpus/$alvo" >"$registro" 2>&1; then
        echo "$alvo: $(grep -m1 -o 'stat::number_of_executed_units: [0-9]*' "$registro" |
            awk '{print $2}') execuções, nenhum achado"
        return 0
    fi
    echo "$alvo: ACHADO (registro completo em $registro)" >&2
    grep -E 'ERROR:|falhou:|runtime error:|Test unit written to|Base64:' "$registro" >&2 || true
    for reproducao in "$achados"/*; do
        [ -e "$reproducao" ] && echo "reproduzir: $pasta/$alvo $reproducao" >&2
    done
    return 1
}

falhas=0
ativos=0
for alvo in "${alvos[@]}"; do
    if [ ! -x "$pasta/$alvo" ]; then
        echo "alvo desconhecido: $alvo" >&2
        exit 2
    fi
    rodar "$alvo" &
    ativos=$((ativos + 1))
    if [ "$ativos" -ge "$paralelo" ]; then
        wait -n || falhas=$((falhas + 1))
        ativos=$((ativos - 1))
    fi
done
while [ "$ativos" -gt 0 ]; do
    wait -n || falhas=$((falhas + 1))
    ativos=$((ativos - 1))
done

if [ "$falhas" -gt 0 ]; then
    echo "$falhas alvo(s) com achados" >&2
    exit 1
fi
echo "fuzz: ${#alvos[@]} alvos, nenhum achado"
