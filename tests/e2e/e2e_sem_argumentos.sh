#!/usr/bin/env bash
# Started without arguments: the error box (application title, the conversion message of
# argument 6 with a period) comes before the window; the window then opens with the design-time
# dates, prints, and closes with exit code 0.
source "$(dirname "$0")/comum.sh"
iniciar_tela

iniciar_programa
caixa=$(esperar_janela "Rellicensacliente")
linha=---------------------------
afirmar_igual "$(texto_da_caixa "$caixa")" "$(printf '%s\n' $linha Rellicensacliente $linha \
    "'' is not a valid integer value." $linha OK $linha)" "error box"
[ -z "$(xdotool search --onlyvisible --name "^Relação de Licensa Clientes\$" || true)" ] ||
    falhar "the filter window is on screen before the error box was closed"
teclar "$caixa" Return

janela=$(esperar_janela "Relação de Licensa Clientes")
teclar "$janela" alt+i
esperar_arquivo "$LANCADOR_VISOR_REGISTRO"
afirmar_igual "$(tail -n +5 "$LANCADOR_VISOR_REGISTRO")" "$(parametros_do_visor 2018-01-12 2018-01-12)" \
    "parameters received by the viewer"

fechar_programa "$janela"
afirmar_igual "$STATUS_PROGRAMA" 0 "exit code"
