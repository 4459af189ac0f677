#!/usr/bin/env bash
# The program through a real screen reader's ears: Debian's Orca runs on the test's own display
# and D-Bus session, in pt_BR, and what it speaks is taken from its debug file ("SPEECH OUTPUT").
# Orca is slow to start, so one circuit covers it all: Tab round the filter window with a box
# ticked, the sort combo opened and an item chosen, Shift+Tab back, a date that is not whole typed
# and printed, then the start-up error box. Every control is announced with its name, its role
# and its value, once; typing is heard as typed, without selection noise.
if [ -z "${LEITOR_NA_SESSAO:-}" ]; then
    export LEITOR_NA_SESSAO=1
    exec dbus-run-session -- bash "$0" "$@" 2> >(grep -v '^dbus-daemon' >&2)
fi
source "$(dirname "$0")/comum.sh"
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
export LANG=pt_BR.UTF-8 LC_ALL=pt_BR.UTF-8
# Orca keeps its settings in the user's home: a fresh one of the test's own.
export HOME="$TRABALHO/casa"
mkdir -p "$HOME"
iniciar_tela
iniciar_servidor

# The accessibility bus, up before Orca looks for it.
/usr/libexec/at-spi-bus-launcher --launch-immediately >/dev/null 2>&1 &
PID_BARRAMENTO=$!
DEPURACAO="$TRABALHO/orca.debug"
orca --replace --debug-file="$DEPURACAO" >"$TRABALHO/orca.saida" 2>&1 &
PID_ORCA=$!
trap 'kill "$PID_ORCA" "$PID_BARRAMENTO" 2>/dev/null || true; encerrar' EXIT
# Orca is ready once it is registered with the accessibility bus.
orca_registrado() {
    /usr/bin/python3 -c '
import sys, pyatspi
sys.exit(0 if any(a is not None and a.get_process_id() == int(sys.argv[1])
                  for a in pyatspi.Registry.getDesktop(0)) else 1)' "$PID_ORCA" 2>/dev/null
}
TEMPO_LIMITE=60 esperar_que orca_registrado ||
    falhar "Orca did not start (its output: $(cat "$TRABALHO/orca.saida"))"
sleep 2

# Keys are pressed at a listener's pace. Orca writes its debug file in blocks, so what it said
# is read once it has ended.
teclar_e_ouvir() {
    xdotool key "$@"
    sleep 0.8
}

iniciar_conectado
xdotool windowfocus --sync "$JANELA"
sleep 1
# Round the window with Tab, ticking the first row's box on the way; the sort combo opened and
# its next item chosen; back to it with Shift+Tab; on to the first date field, where a date that
# is not whole is typed and printed.
teclar_e_ouvir Tab
teclar_e_ouvir Tab
teclar_e_ouvir space
for _ in $(seq 6); do teclar_e_ouvir Tab; done
teclar_e_ouvir alt+Down
teclar_e_ouvir Down
teclar_e_ouvir Return
teclar_e_ouvir Tab
teclar_e_ouvir Tab
teclar_e_ouvir shift+Tab
teclar_e_ouvir shift+Tab
for _ in $(seq 3); do teclar_e_ouvir Tab; done
xdotool type --delay 60 "15/03/2"
teclar_e_ouvir alt+i
esperar_janela "Mensagem de Advertência" >/dev/null
sleep 2
teclar_e_ouvir Escape
fechar_e_conferir

# The start-up error box, the program started without arguments; the window opens after it.
iniciar_programa
esperar_janela Rellicensacliente >/dev/null
sleep 2
teclar_e_ouvir Return
fechar_programa "$(esperar_janela "Relação de Licensa Clientes")"
sleep 1
kill "$PID_ORCA"
esperar_que '! kill -0 "$PID_ORCA" 2>/dev/null' || falhar "Orca did not end"

# What Orca spoke, an utterance a line.
falado=$(grep -a "SPEECH OUTPUT: '" "$DEPURACAO" |
    sed -E "s/^.*SPEECH OUTPUT: '(.*)' ?\{'established.*$/\1/")
echo "What Orca said:"
printf '%s\n' "$falado"

# Whether Orca said these utterances one right after the other.
disse() { # <utterance>...
    local seguidas
    seguidas=$(printf '%s\n' "$@")
    [[ $'\n'"$falado"$'\n' == *$'\n'"$seguidas"$'\n'* ]] ||
        falhar "Orca never said, in a row: [$(printf '%s|' "$@")]"
}

# Each control heard as it gets the focus: its name, its role and its value, once.
INICIO=$(date +01/%m/%Y)
HOJE=$(date +%d/%m/%Y)
for linha in "Dt.Vencimento Chave" "Dt.Vencimento Boleto"; do
    disse "$linha, data inicial $INICIO botão do seletor numérico."
    disse "$linha, data final $HOJE botão do seletor numérico."
    disse "$linha, qualquer data caixa de seleção não selecionada."
done
disse "espaço " "selecionada"
disse "Data filtrada, linha 1 caixa de combinação editável." "Dt.Vencimento Chave." "tab "
disse "Data filtrada, linha 2 caixa de combinação editável." "Dt.Vencimento Boleto." "tab "
# The sort combo with its item, its list opened, the next item chosen, and heard again on the way
# back with Shift+Tab.
disse "Ordenar por caixa de combinação." "Data."
disse "Lista com 3 itens." "Valor Bruto." "enter " "Ordenar por caixa de combinação." \
    "Valor Bruto."
disse "shift da esquerda " "Ordenar por caixa de combinação." "Valor Bruto."
disse "Formato." "Visualização." "selecionado botão de opção"
disse "Imprimir botão de apertar."
# While the date is typed, what is typed is heard, nothing else.
disse "1 " "5 " "barra " "0 " "3 " "barra " "2 " "alt da esquerda "
# The warning and the start-up error box, each with its caption, its text and its button.
disse "alerta Mensagem de Advertência." \
    'O texto "15/03/2" na data inicial de "Dt.Vencimento Chave" não é uma data completa. Corrija a data e imprima de novo.' \
    "OK botão de apertar."
disse "alerta Rellicensacliente." "'' is not a valid integer value." "OK botão de apertar."

# No noise: no selection read back on its own, and each combo's purpose heard once.
ruido=$(grep -xE "selecionado|desmarcado|Texto não selecionado\.|Dt\.Vencimento (Chave|Boleto)" \
    <<<"$falado" || true)
[ -z "$ruido" ] || falhar "Orca spoke noise: $ruido"
afirmar_igual "$(grep -c "Data filtrada, linha 1" <<<"$falado")" 1 "the first row's combo heard"
