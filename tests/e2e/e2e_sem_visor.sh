#!/usr/bin/env bash
# An installation without the viewer's files, as a half-removed install leaves it: with
# jasperviewer.jar or the folder relatorios gone, Alt+I first shows the message dialog's warning
# ("Mensagem de Advertência"), then launches as always, and the second warning says what Java
# (no viewer) or the viewer (no report definition) said; the window stays usable and closes with
# exit code 0. The first warning's words are checked by the report tests.
source "$(dirname "$0")/comum.sh"
iniciar_tela
iniciar_servidor

export LANCADOR_VISOR_REGISTRO="$TRABALHO/visor"

instalado=$PROGRAMA
for ausente in jasperviewer.jar relatorios; do
    echo "row: without $ausente"
    PROGRAMA=$(copiar_instalacao "sem-$ausente")
    rm -r "$(dirname "$PROGRAMA")/$ausente"
    rm -f "$LANCADOR_VISOR_REGISTRO"
    iniciar_conectado
    teclar "$JANELA" alt+i
    fechar_aviso "$(esperar_janela "Mensagem de Advertência")" Return

    # The launch went on, and what Java or the viewer said of the missing file is shown.
    texto=$(ler_falha_do_visor)
    if [ $ausente = relatorios ]; then
        esperado="Definição de relatório não encontrada: $(caminho_visto "$(dirname "$PROGRAMA")")"
    else
        esperado="Error: Unable to access jarfile $(caminho_visto "$(dirname "$PROGRAMA")")"
    fi
    [[ "$texto" == *"$esperado"* ]] || falhar "without $ausente: [$esperado] not in [$texto]"
    esperar_fim_do_interpretador
    fechar_e_conferir
    PROGRAMA=$instalado
done
