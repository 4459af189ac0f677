#!/usr/bin/env bash
# The program through a real screen reader's ears: Debian's Orca runs on the test's own display
# and D-Bus session, in pt_BR, and what it speaks is taken from its debug file ("SPEECH OUTPUT").
# Tab goes once round the filter window, then a date that is not whole is printed: every control
# is announced with its name and role (none is silent), and the warning with its caption and
# text.
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
# Once round with Tab, back to the first date field, then a date that is not whole, printed.
for _ in $(seq 11); do teclar_e_ouvir Tab; done
xdotool type --delay 60 "15/03/2"
teclar_e_ouvir alt+i
esperar_janela "Mensagem de Advertência" >/dev/null
sleep 2
teclar_e_ouvir Escape
fechar_e_conferir
kill "$PID_ORCA"
esperar_que '! kill -0 "$PID_ORCA" 2>/dev/null' || falhar "Orca did not end"

# What Orca spoke, an utterance a line.
falado=$(grep -a "SPEECH OUTPUT: '" "$DEPURACAO" |
    sed -E "s/^.*SPEECH OUTPUT: '(.*)' ?\{'established.*$/\1/")
echo "What Orca said:"
printf '%s\n' "$falado"

# Each control heard as it gets the focus, by its name and role; the warning with its caption
# and text.
for anuncio in \
    "Dt.Vencimento Chave, data inicial" \
    "Dt.Vencimento Chave, data final" \
    "Dt.Vencimento Chave, qualquer data caixa de seleção" \
    "Dt.Vencimento Chave caixa de combinação" \
    "Dt.Vencimento Boleto caixa de combinação" \
    "Dt.Vencimento Boleto, data inicial" \
    "Dt.Vencimento Boleto, data final" \
    "Dt.Vencimento Boleto, qualquer data caixa de seleção" \
    "Ordenar por caixa de combinação" \
    "botão de opção" \
    "Imprimir botão de apertar" \
    "Mensagem de Advertência" \
    "não é uma data completa"; do
    grep -qF -- "$anuncio" <<<"$falado" || falhar "Orca never said [$anuncio]"
done
