#!/usr/bin/env bash
# The installed program as the parent application starts it: it connects (the server sees the
# session), shows the filter window, Alt+I starts the viewer with the filters, and closing the
# window ends the session and the program with exit code 0.
source "$(dirname "$0")/comum.sh"
iniciar_tela
iniciar_servidor

iniciar_programa 127.0.0.1 "$PORTA" relatorio segredo empresa 12 34 joao
janela=$(esperar_janela "Relação de Licensa Clientes")
sessoes="select count(*) from pg_stat_activity where usename = 'relatorio' and datname = 'empresa'"
afirmar_igual "$(consultar_servidor "$sessoes")" 1 "sessions of the program seen by the server"

hoje=$(date +%F)
inicio_do_mes=$(date +%Y-%m-01)
teclar "$janela" alt+i
esperar_arquivo "$LANCADOR_VISOR_REGISTRO"
afirmar_igual "$(cat "$LANCADOR_VISOR_REGISTRO")" "$(printf '%s\n' Marvoss \
    "$(dirname "$PROGRAMA")/relatorios/mv_relacao_licensa_cliente" VIS N \
    "P_DTDE=$inicio_do_mes" "P_DTATE=$hoje" "P_DTDE2=$inicio_do_mes" "P_DTATE2=$hoje" \
    P_CBQD=N P_CBQD2=N P_ORDEM=0)" "words received by the viewer"

fechar_programa "$janela"
afirmar_igual "$STATUS_PROGRAMA" 0 "exit code"
fim=$((SECONDS + TEMPO_LIMITE))
until [ "$(consultar_servidor "$sessoes")" = 0 ]; do
    [ $SECONDS -lt $fim ] || falhar "the server still sees the program's session after it ended"
    sleep 0.1
done
