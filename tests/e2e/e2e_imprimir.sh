#!/usr/bin/env bash
# The installed program as the parent application starts it: it connects (the server sees the
# session), shows the filter window, Alt+I starts the viewer with the filters, in each of the
# three formats, and closing the window ends the session and the program with exit code 0.
source "$(dirname "$0")/comum.sh"
iniciar_tela
iniciar_servidor

iniciar_conectado

hoje=$(date +%F)
inicio_do_mes=$(date +%Y-%m-01)
teclar "$JANELA" alt+i
esperar_arquivo "$LANCADOR_VISOR_REGISTRO"
afirmar_igual "$(cat "$LANCADOR_VISOR_REGISTRO")" "$(printf '%s\n' Marvoss \
    "$(caminho_visto "$(dirname "$PROGRAMA")")${SEPARADOR}relatorios${SEPARADOR}mv_relacao_licensa_cliente" VIS N \
    "$(parametros_do_visor "$inicio_do_mes" "$hoje")")" "words received by the viewer"
esperar_fim_do_interpretador

# The other two formats, chosen with the mouse in "Formato" (their buttons at 96 dpi).
for formato in "330 PDF" "503 XLS"; do
    read -r x nome <<<"$formato"
    xdotool mousemove --window "$JANELA" "$x" 157 click 1
    rm -f "$LANCADOR_VISOR_REGISTRO"
    teclar "$JANELA" alt+i
    esperar_arquivo "$LANCADOR_VISOR_REGISTRO"
    afirmar_igual "$(sed -n 3p "$LANCADOR_VISOR_REGISTRO")" "$nome" "format received by the viewer"
    esperar_fim_do_interpretador
done

fechar_e_conferir
