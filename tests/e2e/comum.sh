# Shared steps of the end-to-end tests: the installed program on a virtual X display without a
# window manager, driven by real X keyboard events, against a throw-away PostgreSQL server.
# Sourced by each test; expects PROGRAMA (the installed executable) and RAIZ (the source tree) in
# the environment, and PLATAFORMA: "linux" (the default; FECHAR_JANELA is then the close-box
# helper) or "windows" (the Windows program under Wine, in the prefix WINEPREFIX).
set -euo pipefail

PLATAFORMA=${PLATAFORMA:-linux}
# The program draws on the test's own display, whatever the caller's shell set for Qt.
unset QT_QPA_PLATFORM
if [ "$PLATAFORMA" = windows ]; then
    export WINEDEBUG=-all
    EXECUTOR=(wine)
else
    EXECUTOR=()
fi

TEMPO_LIMITE=${TEMPO_LIMITE:-20}
TRABALHO=$(mktemp -d /tmp/e2e-relatorio.XXXXXX)
chmod 755 "$TRABALHO"
PID_X=""
PID_PROGRAMA=""
PASTA_PG=""

# unshare needs root; for another user, a user namespace of its own gives it the same powers over
# the new namespaces.
if [ "$(id -u)" -eq 0 ]; then
    UNSHARE=(unshare)
else
    UNSHARE=(unshare --map-root-user)
fi

falhar() {
    echo "FAILED: $*" >&2
    [ -s "$TRABALHO/xvfb.log" ] && echo "Xvfb said: $(cat "$TRABALHO/xvfb.log")" >&2
    exit 1
}

# Evaluates the condition, a shell text, every 0.05 s until it holds; returns 1 when TEMPO_LIMITE
# seconds pass first, so that the caller fails with what it sees then:
#   esperar_que '[ -e "$arquivo" ]' || falhar "no $arquivo"
esperar_que() {
    local fim=$((SECONDS + TEMPO_LIMITE))
    until eval "$1"; do
        [ $SECONDS -lt $fim ] || return 1
        sleep 0.05
    done
}

encerrar() {
    [ -n "$PID_PROGRAMA" ] && kill -9 "$PID_PROGRAMA" 2>/dev/null || true
    # Each test starts Wine afresh on its own display.
    if [ "$PLATAFORMA" = windows ]; then
        wineserver -k 2>/dev/null || true
        wineserver -w 2>/dev/null || true
        rm -rf "$COPIAS_NO_PREFIXO"
    fi
    [ -n "$PASTA_PG" ] && bash "$RAIZ/scripts/servidor_pg.sh" stop "$PASTA_PG" >/dev/null 2>&1 || true
    # Wait for Xvfb to be gone: a server still shutting down removes its socket file, which may
    # by then belong to the next test's server on the same display number.
    if [ -n "$PID_X" ]; then
        kill "$PID_X" 2>/dev/null || true
        wait "$PID_X" 2>/dev/null || true
    fi
    rm -rf "$TRABALHO"
}
trap encerrar EXIT

# A display of our own: Xvfb picks a free display number and writes it to the descriptor given.
iniciar_tela() {
    Xvfb -displayfd 3 -noreset -nolisten tcp -screen 0 1280x1024x24 3>"$TRABALHO/tela" 2>"$TRABALHO/xvfb.log" &
    PID_X=$!
    esperar_que '[ -s "$TRABALHO/tela" ]' || falhar "Xvfb did not start"
    export DISPLAY=":$(cat "$TRABALHO/tela")"
}

# Starts the server with the role and database the tests use, and any other option of
# servidor_pg.sh start given (--tls); sets PORTA.
iniciar_servidor() {
    PASTA_PG="$TRABALHO/pg"
    PORTA=$(bash "$RAIZ/scripts/servidor_pg.sh" start "$PASTA_PG" --papel relatorio "segredo" \
        --banco empresa relatorio --vigiar $$ "$@")
}

consultar_servidor() {
    bash "$RAIZ/scripts/servidor_pg.sh" psql "$PASTA_PG" -At -c "$1"
}

# A path of this machine as the program sees it: under Wine, the prefix's drive_c is C: and the
# rest of the file system is Z:.
caminho_visto() {
    if [ "$PLATAFORMA" != windows ]; then
        printf '%s\n' "$1"
        return
    fi
    local caminho=$1
    case "$caminho" in
    "$WINEPREFIX/drive_c/"*) caminho="C:/${caminho#"$WINEPREFIX/drive_c/"}" ;;
    *) caminho="Z:$caminho" ;;
    esac
    printf '%s\n' "${caminho//\//\\}"
}

# The folder separator of the program's platform.
if [ "$PLATAFORMA" = windows ]; then SEPARADOR='\'; else SEPARADOR=/; fi

# The interpreters (cmd.exe) running in this test's Wine prefix.
interpretadores_no_prefixo() {
    local pid
    for pid in $(pgrep -f 'cmd\.exe' || true); do
        tr '\0' '\n' <"/proc/$pid/environ" 2>/dev/null | grep -qxF "WINEPREFIX=$WINEPREFIX" &&
            tr '\0' ' ' <"/proc/$pid/cmdline" && echo
    done
}

# Under Wine, the interpreter that started the viewer ends with it: no cmd.exe is left behind.
esperar_fim_do_interpretador() {
    [ "$PLATAFORMA" = windows ] || return 0
    esperar_que '[ -z "$(interpretadores_no_prefixo)" ]' ||
        falhar "an interpreter is still running after the viewer ended: $(interpretadores_no_prefixo)"
}

# The client sessions the server sees, one "user|database" per line (the superuser that the
# server script itself uses left out).
sessao() {
    consultar_servidor "select usename || '|' || datname from pg_stat_activity
                        where backend_type = 'client backend' and usename <> 'postgres'"
}

# Waits until the server no longer sees any session of the program; $1, if given, names the run.
sem_sessao() {
    esperar_que '[ -z "$(sessao)" ]' ||
        falhar "the server still sees the program's session after it ended${1:+ $1}"
}

# Starts the installed program with the arguments given; the stand-in viewer records the words it
# receives in $TRABALHO/visor-<n> and runs without a window.
iniciar_programa() {
    export LANCADOR_VISOR_REGISTRO="$TRABALHO/visor"
    export JAVA_TOOL_OPTIONS="-Djava.awt.headless=true"
    "${EXECUTOR[@]}" "$PROGRAMA" "$@" >"$TRABALHO/saida" 2>&1 &
    PID_PROGRAMA=$!
}

# A copy of the installed program in a folder of its own, for rows that change the installation
# (under Wine in the prefix's drive C:); prints the copy's program. The test's end removes it.
COPIAS_NO_PREFIXO="${WINEPREFIX:-}/drive_c/copias-$$"
copiar_instalacao() { # <folder name>
    local destino="$TRABALHO/$1"
    [ "$PLATAFORMA" = windows ] && destino="$COPIAS_NO_PREFIXO/$1"
    rm -rf "$destino" && mkdir -p "$(dirname "$destino")"
    cp -a "$(dirname "$PROGRAMA")" "$destino"
    echo "$destino/$(basename "$PROGRAMA")"
}

# The running program's command line as the machine's other programs see it: on Linux its
# argument vector (/proc/PID/cmdline, which ps shows), a blank after each item; under Wine the
# raw line that Windows keeps in the process, read from outside as Task Manager does.
linha_visivel() {
    if [ "$PLATAFORMA" = windows ]; then
        wine "$LER_LINHA_DE_COMANDO" "$(basename "$PROGRAMA")" | tr -d '\r'
    else
        tr '\0' ' ' <"/proc/$PID_PROGRAMA/cmdline"
    fi
}

# Under Wine: starts the installed program with exactly this raw command line, as a Windows
# parent application does (CreateProcessW); sets PID_PROGRAMA.
iniciar_programa_com_linha() {
    export LANCADOR_VISOR_REGISTRO="$TRABALHO/visor"
    LANCADOR_LINHA_BRUTA=$1 wine "$INICIAR_COM_LINHA" "$(caminho_visto "$PROGRAMA")" \
        >"$TRABALHO/saida" 2>&1 &
    PID_PROGRAMA=$!
}

# Prints the id of the visible window with exactly this title, waiting for it to appear.
esperar_janela() {
    local titulo=$1 fim=$((SECONDS + TEMPO_LIMITE)) id
    while :; do
        id=$(xdotool search --onlyvisible --name "^${titulo}\$" 2>/dev/null | head -n 1 || true)
        [ -n "$id" ] && break
        [ $SECONDS -lt $fim ] || falhar "no window titled '$titulo' (program output: $(cat "$TRABALHO/saida"))"
        kill -0 "$PID_PROGRAMA" 2>/dev/null || falhar "the program ended before showing '$titulo' (output: $(cat "$TRABALHO/saida"))"
        sleep 0.1
    done
    echo "$id"
}

# Sends keys to a window the way a user's keyboard does (XTEST), after giving it the focus.
teclar() {
    local id=$1
    shift
    xdotool windowfocus --sync "$id"
    xdotool key --clearmodifiers "$@"
}

# The text of a message box as its Ctrl+C copies it: caption, text and button between lines of
# dashes. Under Wine, where that copy leaves the clipboard empty, a helper reads the box.
texto_da_caixa() {
    local id=$1
    if [ "$PLATAFORMA" = windows ]; then
        wine "$LER_CAIXA" "$(xdotool getwindowname "$id")" | tr -d '\r'
        return
    fi
    copiado_de "$id" ctrl+c
}

# What these keys, pressed in the window, put on the clipboard.
copiado_de() {
    local id=$1
    shift
    printf '' | xclip -selection clipboard
    teclar "$id" "$@"
    local texto=""
    esperar_que 'texto=$(xclip -o -selection clipboard 2>/dev/null || true); [ -n "$texto" ]' ||
        falhar "the window $(xdotool getwindowname "$id") gave no text to copy"
    printf '%s\n' "$texto"
}

# Presses the key (Escape unless given) in the message dialog's warning and waits for that window
# to go; another warning may follow at once.
fechar_aviso() { # <window> [key]
    local id=$1 tecla=${2:-Escape}
    teclar "$id" "$tecla"
    esperar_que '! xdotool search --onlyvisible --name "^Mensagem de Advertência\$" 2>/dev/null | grep -qx "$id"' ||
        falhar "$tecla did not end the warning"
}

# Waits for the warning that says why the viewer did not open, prints its text and closes it.
ler_falha_do_visor() {
    local aviso
    aviso=$(esperar_janela "Mensagem de Advertência")
    local texto
    texto=$(texto_do_aviso "$aviso")
    [[ "$texto" == "O relatório não pôde ser aberto: "* ]] ||
        falhar "not the warning of a viewer that did not open: $texto"
    fechar_aviso "$aviso"
    printf '%s\n' "$texto"
}

# The text of the message dialog, copied as a user copies it: Tab to the text, select it all,
# copy. Line breaks come as line feeds.
texto_do_aviso() {
    copiado_de "$1" Tab ctrl+a ctrl+c | tr -d '\r'
}

# Waits for a file to exist and be complete (the stand-in writes it by renaming).
esperar_arquivo() {
    local arquivo=$1
    esperar_que '[ -e "$arquivo" ]' || falhar "no $arquivo"
}

# Closes a window as a window manager's close box does (under Wine, as a user does with Alt+F4,
# which Windows handles itself), and waits for the program to end; sets STATUS_PROGRAMA.
# The titles of the visible windows on the test's display.
janelas_abertas() {
    local id
    for id in $(xdotool search --onlyvisible --name . 2>/dev/null); do
        printf '[%s] ' "$(xdotool getwindowname "$id" 2>/dev/null)"
    done
}

fechar_programa() {
    if [ "$PLATAFORMA" = windows ]; then
        teclar "$1" alt+F4
        # Wine may drop a key sent while it is still making the window active; a window that is
        # still there after a few seconds gets the keys again, as a user would press them again.
        # A program that does not end then fails below all the same.
        if ! TEMPO_LIMITE=5 esperar_que '! kill -0 "$PID_PROGRAMA" 2>/dev/null' &&
            xdotool getwindowname "$1" >/dev/null 2>&1; then
            teclar "$1" alt+F4
        fi
    else
        "$FECHAR_JANELA" "$1"
    fi
    esperar_que '! kill -0 "$PID_PROGRAMA" 2>/dev/null' ||
        falhar "the program did not end after its window was closed (its windows: $(janelas_abertas); its output: $(tail -c 2000 "$TRABALHO/saida"))"
    STATUS_PROGRAMA=0
    wait "$PID_PROGRAMA" || STATUS_PROGRAMA=$?
    PID_PROGRAMA=""
}

# The start every test of a normal session shares: the program started as the parent
# application starts it, its filter window on screen (its id in JANELA) and its one session on
# the server.
SESSOES="select count(*) from pg_stat_activity where usename = 'relatorio' and datname = 'empresa'"
iniciar_conectado() {
    iniciar_programa 127.0.0.1 "$PORTA" relatorio segredo empresa 12 34 joao
    JANELA=$(esperar_janela "Relação de Licensa Clientes")
    afirmar_igual "$(consultar_servidor "$SESSOES")" 1 "sessions of the program seen by the server"
}

# Closes the filter window: the program ends with exit code 0 and its session with it.
fechar_e_conferir() {
    fechar_programa "$JANELA"
    afirmar_igual "$STATUS_PROGRAMA" 0 "exit code"
    esperar_que '[ "$(consultar_servidor "$SESSOES")" = 0 ]' ||
        falhar "the server still sees the program's session after it ended"
}

# What texto_da_caixa reads from the error box with this text.
caixa_de_erro() {
    local linha=---------------------------
    printf '%s\n' $linha Rellicensacliente $linha "$1" $linha OK $linha
}

# After a failed start: OK closes the error box, the filter window opens with the design-time
# dates, Alt+I sends them to the viewer, and closing the window ends the program with exit code 0.
depois_da_caixa_de_erro() { # <box window> [what the messages name]
    teclar "$1" Return
    local janela
    janela=$(esperar_janela "Relação de Licensa Clientes")
    rm -f "$LANCADOR_VISOR_REGISTRO"
    teclar "$janela" alt+i
    esperar_arquivo "$LANCADOR_VISOR_REGISTRO"
    afirmar_igual "$(tail -n +5 "$LANCADOR_VISOR_REGISTRO")" \
        "$(parametros_do_visor 2018-01-12 2018-01-12)" "${2:-}${2:+: }parameters received by the viewer"
    fechar_programa "$janela"
    afirmar_igual "$STATUS_PROGRAMA" 0 "${2:-}${2:+: }exit code"
}

# The seven report parameters of the print action with these dates and the other filters as the
# window opens.
parametros_do_visor() { # <from-date> <to-date>
    printf '%s\n' "P_DTDE=$1" "P_DTATE=$2" "P_DTDE2=$1" "P_DTATE2=$2" P_CBQD=N P_CBQD2=N P_ORDEM=0
}

# Saves a picture of the whole display as a PNG file.
capturar_tela() {
    xwd -root -silent | xwdtopnm 2>/dev/null | pnmtopng >"$1"
}

afirmar_igual() {
    [ "$1" = "$2" ] || falhar "$3: expected [$2], got [$1]"
}
