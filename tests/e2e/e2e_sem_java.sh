#!/usr/bin/env bash
# No Java runtime where the interpreter looks for "java": each Alt+I first shows the warning of
# the message dialog ("Mensagem de Advertência"), which blinks and which Esc, Enter or the letter
# of its "&OK" alone ends, and then launches as always; the interpreter finds no "java" and a
# second warning gives its words, no viewer runs, no interpreter is left, and the window stays
# usable and closes with exit code 0.
source "$(dirname "$0")/comum.sh"
iniciar_tela
iniciar_servidor

if [ "$PLATAFORMA" = windows ]; then
    unset WINEPATH # Wine's own search path holds no java.exe
else
    EXECUTOR=(env PATH=/nenhuma-pasta)
fi
iniciar_conectado

for tecla in Escape Return o; do
    teclar "$JANELA" alt+i
    aviso=$(esperar_janela "Mensagem de Advertência")
    # While it is open the warning asks for attention once a second.
    piscadas=$("$CONTAR_PISCADAS" "$aviso" 3)
    [ "$piscadas" -ge 2 ] || falhar "the warning asked for attention $piscadas times in 3 s"
    fechar_aviso "$aviso" "$tecla"
    # The launch ran: the interpreter's own words, that it found no "java", follow.
    texto=$(ler_falha_do_visor)
    if [ "$PLATAFORMA" = linux ]; then
        [[ "$texto" == *"código de saída 127."*"java: not found"* ]] || falhar "shell's words: $texto"
    fi
done
esperar_fim_do_interpretador
[ ! -e "$LANCADOR_VISOR_REGISTRO" ] || falhar "a viewer ran without Java"
fechar_e_conferir
