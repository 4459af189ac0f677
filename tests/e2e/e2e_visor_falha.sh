#!/usr/bin/env bash
# A viewer that does not open is said so: with a stand-in Java runtime of the tests first on the
# search path (tests/e2e/java_substituto.sh, or the stand-in java.exe under Wine), Alt+I starts it
# and, when it ends with an exit code other than 0, the message dialog's warning gives the code
# and the last lines it wrote to its error output; one that ends with 0 brings no message. Rows:
# an old runtime's words; success with a line written; a failure after some seconds; 50 MB
# written, then the failure (the program's peak memory barely moves); three failing at once (three
# warnings, one at a time); the window closed while a viewer runs (the program ends at once with
# code 0, the viewer lives on and can still write). On Linux, Debian's own JDK with a damaged
# jasperviewer.jar: the warning holds the runtime's words.
source "$(dirname "$0")/comum.sh"
iniciar_tela
iniciar_servidor

TITULO_AVISO="Mensagem de Advertência"
export SUBSTITUTO_JAVA="$TRABALHO/java"
mkdir -p "$SUBSTITUTO_JAVA"
if [ "$PLATAFORMA" = linux ]; then
    mkdir -p "$TRABALHO/bin"
    cp "$RAIZ/tests/e2e/java_substituto.sh" "$TRABALHO/bin/java"
    chmod 755 "$TRABALHO/bin/java"
    EXECUTOR=(env "PATH=$TRABALHO/bin:$PATH")
fi

# The stand-in's next behaviour: "file=content" pairs; every other file of its folder goes.
comportamento() {
    rm -f "$SUBSTITUTO_JAVA"/*
    local par
    for par in "$@"; do
        printf '%b' "${par#*=}" >"$SUBSTITUTO_JAVA/${par%%=*}"
    done
}

linhas_de() { [ -e "$SUBSTITUTO_JAVA/$1" ] && wc -l <"$SUBSTITUTO_JAVA/$1" || echo 0; }

avisos_abertos() {
    xdotool search --onlyvisible --name "^${TITULO_AVISO}\$" 2>/dev/null | wc -l
}

# The warning of a viewer that did not open, alone on the screen; prints its text.
ler_aviso() {
    esperar_janela "$TITULO_AVISO" >/dev/null
    afirmar_igual "$(avisos_abertos)" 1 "warnings on screen at once"
    ler_falha_do_visor
}

contem() { # <text> <expected piece> <what>
    [[ "$1" == *"$2"* ]] || falhar "$3: [$2] not in [$1]"
}

# The program's peak memory in kB (its Wine process under Wine).
pico_de_memoria() {
    local pid=$PID_PROGRAMA
    [ "$PLATAFORMA" = windows ] && pid=$(processo_do_programa_no_prefixo)
    awk '/^VmHWM:/ { print $2 }' "/proc/$pid/status"
}

processo_do_programa_no_prefixo() {
    local pid
    for pid in $(pgrep -f 'RelLicensaCliente\.exe' || true); do
        tr '\0' '\n' <"/proc/$pid/environ" 2>/dev/null | grep -qxF "WINEPREFIX=$WINEPREFIX" &&
            echo "$pid" && return
    done
}

# Closes the window; sets DURACAO_MS to the milliseconds until the program has ended.
fechar_e_medir() {
    local inicio
    inicio=$(date +%s%N)
    fechar_programa "$JANELA"
    DURACAO_MS=$((($(date +%s%N) - inicio) / 1000000))
}

# Wine takes about two seconds to end any program; there the limit is a second more than the
# program takes to end with no viewer running.
limite_do_fim_ms=1000
if [ "$PLATAFORMA" = windows ]; then
    iniciar_conectado
    fechar_e_medir
    sem_visor_ms=$DURACAO_MS
    limite_do_fim_ms=$((sem_visor_ms + 1000))
fi

iniciar_conectado

echo "row: an old Java runtime"
comportamento codigo=1 "erros=Error: LinkageError occurred while loading main class VisorRelatorio\n\tjava.lang.UnsupportedClassVersionError: VisorRelatorio has been compiled by a more recent version of the Java Runtime (class file version 61.0), this version of the Java Runtime only recognizes class file versions up to 52.0\n"
teclar "$JANELA" alt+i
texto=$(ler_aviso)
contem "$texto" "O relatório não pôde ser aberto: o visualizador de relatórios terminou com o código de saída 1. O que ele informou por último:" "old runtime"
contem "$texto" "Error: LinkageError occurred while loading main class VisorRelatorio" "old runtime"
contem "$texto" "recognizes class file versions up to 52.0" "old runtime"
pico_normal=$(pico_de_memoria)

echo "row: success, having written a line"
comportamento codigo=0 "erros=Picked up JAVA_TOOL_OPTIONS: -Djava.awt.headless=true\n"
teclar "$JANELA" alt+i
esperar_que '[ "$(linhas_de vivos)" = 1 ]' || falhar "the stand-in did not run"
sleep 1.5
afirmar_igual "$(avisos_abertos)" 0 "warnings after a viewer that ended with 0"

echo "row: a failure after some seconds"
comportamento codigo=2 demora=3 "erros=conexão recusada pelo servidor de relatórios\n"
teclar "$JANELA" alt+i
esperar_que '[ "$(linhas_de iniciados)" = 1 ]' || falhar "the stand-in did not start"
sleep 1
afirmar_igual "$(avisos_abertos)" 0 "warnings while the viewer still runs"
texto=$(ler_aviso)
contem "$texto" "código de saída 2" "late failure"
contem "$texto" "conexão recusada pelo servidor de relatórios" "late failure"

echo "row: 50 MB of error output, then the failure"
comportamento codigo=1 volume_mb=50 "erros=última linha antes do fim\n"
teclar "$JANELA" alt+i
texto=$(TEMPO_LIMITE=60 ler_aviso)
contem "$texto" "[…]" "flood"
contem "$texto" "linha de enchimento da saída de erros" "flood"
contem "$texto" "última linha antes do fim" "flood"
pico_inundado=$(pico_de_memoria)
echo "peak memory: $pico_normal kB after an ordinary failed print, $pico_inundado kB after 50 MB"
# The sanitizers' runtime keeps freed memory aside for a while (its quarantine), so only a
# normal build tells what the program itself holds. Under Wine the peak moves in steps of about
# 1 MB, Wine's own heap growing, whatever the volume (four floods of 50 MB in one run: +1.1 MB,
# +0, +0.1, +1.0), so the bound there is looser.
limite_kb=400
[ "$PLATAFORMA" = windows ] && limite_kb=3072
if [ "${SANITIZADO:-0}" != 1 ]; then
    [ $((pico_inundado - pico_normal)) -le $limite_kb ] ||
        falhar "50 MB of error output raised the peak memory by $((pico_inundado - pico_normal)) kB"
fi

echo "row: three viewers failing at once"
comportamento codigo=7 esperar= "erros=um dos três falhou\n"
for vez in 1 2 3; do
    teclar "$JANELA" alt+i
    esperar_que '[ "$(linhas_de iniciados)" = $vez ]' || falhar "viewer $vez of three did not start"
done
touch "$SUBSTITUTO_JAVA/liberado"
for vez in 1 2 3; do
    texto=$(ler_aviso)
    contem "$texto" "código de saída 7" "warning $vez of three"
done
sleep 1
afirmar_igual "$(avisos_abertos)" 0 "warnings after the three"

echo "row: the window closed while a viewer runs"
comportamento codigo=0 esperar= volume_mb=1 "erros=escrito depois do fim do programa\n"
teclar "$JANELA" alt+i
esperar_que '[ "$(linhas_de iniciados)" = 1 ]' || falhar "the stand-in did not start"
fechar_e_medir
duracao_ms=$DURACAO_MS
echo "the program ended ${duracao_ms} ms after its window was closed${sem_visor_ms:+ (${sem_visor_ms} ms with no viewer running)}"
afirmar_igual "$STATUS_PROGRAMA" 0 "exit code with a viewer running"
[ "$duracao_ms" -lt "$limite_do_fim_ms" ] ||
    falhar "the program took ${duracao_ms} ms to end with a viewer running"
[ "$(linhas_de vivos)" = 0 ] || falhar "the viewer ended with the program"
touch "$SUBSTITUTO_JAVA/liberado"
esperar_que '[ "$(linhas_de vivos)" = 1 ]' ||
    falhar "the viewer did not live on to write after the program had ended"

if [ "$PLATAFORMA" = linux ]; then
    echo "row: Debian's JDK with a damaged jasperviewer.jar"
    EXECUTOR=()
    PROGRAMA=$(copiar_instalacao "jar-danificado")
    printf 'PK\003\004 isto não é um jar' >"$(dirname "$PROGRAMA")/jasperviewer.jar"
    iniciar_conectado
    teclar "$JANELA" alt+i
    texto=$(ler_aviso)
    contem "$texto" "código de saída 1" "damaged jar"
    contem "$texto" "Error: Invalid or corrupt jarfile $(dirname "$PROGRAMA")/jasperviewer.jar" "damaged jar"
    fechar_e_conferir
fi
