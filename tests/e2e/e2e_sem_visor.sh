#!/usr/bin/env bash
# An installation without the viewer's files, as a half-removed install leaves it: with
# jasperviewer.jar or the folder relatorios gone, Alt+I first shows the message dialog's warning
# ("Mensagem de Advertência"), then launches as always (Java finds no viewer, or the viewer no
# report definitions), and the window stays usable and closes with exit code 0. The warning's
# words are checked by the report tests.
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
    aviso=$(esperar_janela "Mensagem de Advertência")
    teclar "$aviso" Return
    esperar_que '! xdotool search --onlyvisible --name "^Mensagem de Advertência\$" >/dev/null 2>&1' ||
        falhar "without $ausente: Enter did not end the warning"

    # The launch went on: Java (the stand-in java.exe under Wine) was started for the viewer.
    if [ $ausente = relatorios ]; then
        esperar_arquivo "$LANCADOR_VISOR_REGISTRO"
    elif [ "$PLATAFORMA" = windows ]; then
        esperar_arquivo "$LANCADOR_VISOR_REGISTRO"
        grep -q "^ERRO: o arquivo do visualizador não existe" "$LANCADOR_VISOR_REGISTRO" ||
            falhar "java.exe got: $(cat "$LANCADOR_VISOR_REGISTRO")"
    else
        esperar_que 'grep -q "Unable to access jarfile" "$TRABALHO/saida"' ||
            falhar "Java was not started for the viewer (output: $(cat "$TRABALHO/saida"))"
    fi
    esperar_fim_do_interpretador
    fechar_e_conferir
    PROGRAMA=$instalado
done
