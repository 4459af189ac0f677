#!/bin/sh
# A stand-in for the Java runtime, for the end-to-end tests of a viewer that fails: it does what
# the files of the folder SUBSTITUTO_JAVA say, read as it starts. Its process id goes to
# "iniciados"; when "esperar" exists it waits for "liberado" to exist (a minute at most);
# "demora" seconds pass; "volume_mb" MiB of filler lines, then the bytes of "erros" go to its
# error output; its process id goes to "vivos" (it is still running, and could write); it ends
# with the code in "codigo" (0 without the file). The Windows stand-in,
# tests/e2e/windows/java.cpp, does the same.
pasta=$SUBSTITUTO_JAVA
echo $$ >>"$pasta/iniciados"
# The wait ends too when the folder goes (the test has ended) or after a minute.
if [ -e "$pasta/esperar" ]; then
    tentativas=0
    while [ ! -e "$pasta/liberado" ] && [ -d "$pasta" ] && [ $tentativas -lt 1200 ]; do
        sleep 0.05
        tentativas=$((tentativas + 1))
    done
fi
[ ! -e "$pasta/demora" ] || sleep "$(cat "$pasta/demora")"
if [ -e "$pasta/volume_mb" ]; then
    yes "linha de enchimento da saída de erros" | head -c $(($(cat "$pasta/volume_mb") * 1048576)) >&2
fi
[ ! -e "$pasta/erros" ] || cat "$pasta/erros" >&2
echo $$ >>"$pasta/vivos"
exit "$(cat "$pasta/codigo" 2>/dev/null || echo 0)"
