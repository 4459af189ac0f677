#!/usr/bin/env bash
# Started without arguments: the error box (application title, the conversion message of
# argument 6 with a period) comes before the window; the window then opens with the design-time
# dates, prints, and closes with exit code 0.
source "$(dirname "$0")/comum.sh"
iniciar_tela

iniciar_programa
caixa=$(esperar_janela "Rellicensacliente")
afirmar_igual "$(texto_da_caixa "$caixa")" "$(caixa_de_erro "'' is not a valid integer value.")" \
    "error box"
[ -z "$(xdotool search --onlyvisible --name "^Relação de Licensa Clientes\$" || true)" ] ||
    falhar "the filter window is on screen before the error box was closed"
depois_da_caixa_de_erro "$caixa"
