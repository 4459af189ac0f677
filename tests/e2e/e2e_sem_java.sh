#!/usr/bin/env bash
# No Java runtime where the interpreter looks for "java": each Alt+I first shows the warning of
# the message dialog ("Mensagem de Advertência"), which blinks and which Esc or Enter ends, and
# then launches as always; the interpreter finds no "java", no viewer runs, no interpreter is
# left, and the window stays usable and closes with exit code 0.
source "$(dirname "$0")/comum.sh"
iniciar_tela
iniciar_servidor

if [ "$PLATAFORMA" = windows ]; then
    unset WINEPATH # Wine's own search path holds no java.exe
else
    EXECUTOR=(env PATH=/nenhuma-pasta)
fi
iniciar_conectado

for tecla in Escape Return; do
    teclar "$JANELA" alt+i
    aviso=$(esperar_janela "Mensagem de Advertência")
    # While it is open the warning asks for attention once a second.
    piscadas=$("$CONTAR_PISCADAS" "$aviso" 3)
    [ "$piscadas" -ge 2 ] || falhar "the warning asked for attention $piscadas times in 3 s"
    teclar "$aviso" "$tecla"
    esperar_que '! xdotool search --onlyvisible --name "^Mensagem de Advertência\$" >/dev/null 2>&1' ||
        falhar "$tecla did not end the warning"
done

if [ "$PLATAFORMA" = linux ]; then
    # The shell says on the program's standard error that it found no "java", once per print.
    esperar_que '[ "$(grep -c "java: not found" "$TRABALHO/saida")" = 2 ]' ||
        falhar "the launches did not run (output: $(cat "$TRABALHO/saida"))"
fi
esperar_fim_do_interpretador
[ ! -e "$LANCADOR_VISOR_REGISTRO" ] || falhar "a viewer ran without Java"
fechar_e_conferir
