#!/usr/bin/env bash
# Dates typed the ordinary way into the first date field, with real keys, in the user's short
# format (pt_BR.UTF-8: dd/MM/yyyy; en_US.UTF-8: M/d/yyyy), the field entered by Tab (as the
# window opens), by a click on its first section, or after Ctrl+A: the viewer gets exactly the
# date typed. A text that is not a whole date gives a warning and sends nothing.
source "$(dirname "$0")/comum.sh"
iniciar_tela
iniciar_servidor

# <locale> <entry: tab|clique|ctrla> <keys typed> <P_DTDE expected, or "aviso">
verificar() {
    local localidade=$1 entrada=$2 digitado=$3 esperado=$4
    echo "row: $localidade $entrada $digitado"
    EXECUTOR_ANTERIOR=("${EXECUTOR[@]}")
    EXECUTOR=(env LANG="$localidade" LC_ALL="$localidade" "${EXECUTOR[@]}")
    iniciar_conectado
    EXECUTOR=("${EXECUTOR_ANTERIOR[@]}")
    xdotool windowfocus --sync "$JANELA"
    case $entrada in
    # First into another field, then a click on the day (the month in M/d/yyyy) of the first one.
    clique) xdotool mousemove --window "$JANELA" 40 73 click 1 sleep 0.2 \
        mousemove --window "$JANELA" 165 73 click 1 sleep 0.2 ;;
    ctrla) xdotool key ctrl+a ;;
    esac
    xdotool type --delay 60 "$digitado"
    rm -f "$LANCADOR_VISOR_REGISTRO"
    teclar "$JANELA" alt+i
    if [ "$esperado" = aviso ]; then
        local aviso
        aviso=$(esperar_janela "Mensagem de Advertência")
        teclar "$aviso" Return
        sleep 0.5
        [ ! -e "$LANCADOR_VISOR_REGISTRO" ] || falhar "$digitado: a viewer ran with a date that is not whole"
    else
        esperar_arquivo "$LANCADOR_VISOR_REGISTRO"
        afirmar_igual "$(sed -n 5p "$LANCADOR_VISOR_REGISTRO")" "P_DTDE=$esperado" \
            "$localidade $entrada $digitado"
    fi
    fechar_e_conferir
}

verificar pt_BR.UTF-8 tab 07/03/2025 2025-03-07
verificar pt_BR.UTF-8 tab 7/3/2025 2025-03-07
verificar pt_BR.UTF-8 tab 07032025 2025-03-07
verificar pt_BR.UTF-8 tab 31/12/1999 1999-12-31
verificar pt_BR.UTF-8 clique 07/03/2025 2025-03-07
verificar pt_BR.UTF-8 ctrla 07/03/2025 2025-03-07
verificar pt_BR.UTF-8 tab 07/03/0000 aviso
verificar en_US.UTF-8 tab 3/7/2025 2025-03-07
verificar en_US.UTF-8 clique 12/25/2025 2025-12-25
verificar en_US.UTF-8 ctrla 03/07/2025 2025-03-07
