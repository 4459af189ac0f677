#!/usr/bin/env bash
# Sets up what the tests need, builds (only what changed) and runs every test.
#   ./test.sh                 plain build in build/
#   SANITIZE=1 ./test.sh      AddressSanitizer + UndefinedBehaviorSanitizer (leaks included) in build-asan/
set -euo pipefail
cd "$(dirname "$0")"

bash scripts/dependencias.sh

if [ "${SANITIZE:-0}" = 1 ]; then
    pasta=build-asan
    opcoes=(-DCMAKE_BUILD_TYPE=Debug -DLANCADOR_SANITIZE=ON)
    export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1"
    export LSAN_OPTIONS="suppressions=$PWD/tests/vazamentos.supp:print_suppressions=0"
    export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
else
    pasta=build
    opcoes=(-DCMAKE_BUILD_TYPE=RelWithDebInfo)
fi

cmake -S . -B "$pasta" -G Ninja -DLANCADOR_WERROR=ON -DLANCADOR_TESTS=ON "${opcoes[@]}"
cmake --build "$pasta"
ctest --test-dir "$pasta" --output-on-failure -j2
