#!/usr/bin/env bash
# The program through a screen reader's eyes: the installed program on a display of its own, with
# Qt's accessibility bridge on, read through AT-SPI (leitor_de_tela.py) on a D-Bus session of the
# test's own. Every control of the filter window has its role and a name of its own; the Tab
# order is announced control by control; the names of a row follow what its combo shows; the
# warning and the start-up error box are alerts whose text is read.
if [ -z "${LEITOR_NA_SESSAO:-}" ]; then
    export LEITOR_NA_SESSAO=1
    exec dbus-run-session -- bash "$0" "$@" 2> >(grep -v '^dbus-daemon' >&2)
fi
source "$(dirname "$0")/comum.sh"
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
iniciar_tela
iniciar_servidor

leitor() { # arvore|foco
    /usr/bin/python3 "$RAIZ/tests/e2e/leitor_de_tela.py" "$1" "$PID_PROGRAMA"
}

# Every line expected must be in what the reader prints.
conferir_linhas() { # <what> <printed> <expected lines>
    local linha
    while IFS= read -r linha; do
        grep -qxF "$linha" <<<"$2" || falhar "$1: no [$linha] in:
$2"
    done <<<"$3"
}

INICIO=$(date +01/%m/%Y)
HOJE=$(date +%d/%m/%Y)
export LANG=pt_BR.UTF-8 LC_ALL=pt_BR.UTF-8
iniciar_conectado
xdotool windowfocus --sync "$JANELA"

# What the reader says of each control: role|name|description|value|labels|state.
DE="spin button|Dt.Vencimento Chave, data inicial||$INICIO|Período|"
ATE="spin button|Dt.Vencimento Chave, data final||$HOJE|Período|"
QUALQUER="check box|Dt.Vencimento Chave, qualquer data|||Período|"
DATA="combo box|Data filtrada, linha 1||Dt.Vencimento Chave|Período|"
DATA2="combo box|Data filtrada, linha 2||Dt.Vencimento Boleto|Período|"
DE2="spin button|Dt.Vencimento Boleto, data inicial||$INICIO|Período|"
ATE2="spin button|Dt.Vencimento Boleto, data final||$HOJE|Período|"
QUALQUER2="check box|Dt.Vencimento Boleto, qualquer data|||Período|"
ORDEM="combo box|Ordenar por||Data|Ordenar por|"
VISUALIZACAO="radio button|Visualização|||Formato|checked"
IMPRIMIR="push button|Imprimir||||"

arvore=$(leitor arvore)
# A container shown as a frame (a window's role) makes Orca ignore the focus inside it.
! grep -q '^frame|' <<<"$arvore" || falhar "a container is exposed as a frame: $(grep '^frame|' <<<"$arvore")"
conferir_linhas "the window's controls" "$arvore" "\
filler|Relação de Licensa Clientes||||
label|Relação de Clientes - Licensa [v25.03.12.1]||||
panel|Filtros||||
panel|Período|||Filtros|
$DE
$ATE
$QUALQUER
$DATA
$DATA2
$DE2
$ATE2
$QUALQUER2
panel|||||
label|Ordenar por||||
$ORDEM
panel|Formato||||
$VISUALIZACAO
radio button|PDF|||Formato|
radio button|Excel(XLS)|||Formato|
$IMPRIMIR"

# What is announced at each Tab, from the first date field round to it again.
anunciados=$(leitor foco)
for _ in $(seq 11); do
    xdotool key Tab
    sleep 0.3
    anunciados+=$'\n'$(leitor foco)
done
esperados=("$DE" "$ATE" "$QUALQUER" "$DATA" "$DATA2" "$DE2" "$ATE2" "$QUALQUER2" "$ORDEM"
    "$VISUALIZACAO" "$IMPRIMIR" "$DE")
afirmar_igual "$anunciados" "$(printf '%s\n' "${esperados[@]}")" "the Tab order as announced"

# The first row renamed in its combo: its fields follow.
xdotool mousemove --window "$JANELA" 40 73 click 1 key ctrl+a
xdotool type --delay 30 "Dt.Cadastro"
sleep 0.3
conferir_linhas "the first row renamed" "$(leitor arvore)" "\
spin button|Dt.Cadastro, data inicial||$INICIO|Período|
check box|Dt.Cadastro, qualquer data|||Período|"

# The warning for a date that is not whole: an alert with its text, naming the field as its row
# now shows it, and a named button.
xdotool mousemove --window "$JANELA" 165 73 click 1
xdotool type --delay 60 "15/03/2"
xdotool key alt+i
esperar_janela "Mensagem de Advertência" >/dev/null
aviso='O texto "15/03/2" na data inicial de "Dt.Cadastro" não é uma data completa. Corrija a data e imprima de novo.'
conferir_linhas "the warning" "$(leitor arvore)" "\
alert|Mensagem de Advertência|$aviso|||
text|Texto da mensagem||$aviso||
push button|OK||||"
xdotool key Return
fechar_e_conferir

# The start-up error box, started without arguments.
iniciar_programa
esperar_janela Rellicensacliente >/dev/null
conferir_linhas "the start-up error box" "$(leitor arvore)" "\
alert|Rellicensacliente||||
label|'' is not a valid integer value.||||
push button|OK||||"
