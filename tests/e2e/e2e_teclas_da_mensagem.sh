#!/usr/bin/env bash
# The message dialog's access keys pressed for real, for each kind of message: with the focus on
# a button (where each kind puts it), a button's underlined letter alone presses it, in either
# case; Alt+letter presses it too. Each row shows one message and checks the result it closed
# with (1 OK, 2 Cancelar, 6 Sim or Alterar, 7 Não or Excluir).
source "$(dirname "$0")/comum.sh"
iniciar_tela

MOSTRAR=$MOSTRAR_MENSAGEM
if [ "$PLATAFORMA" = windows ]; then
    # Beside the installed program, whose folder holds the libraries it needs.
    MOSTRAR="$(dirname "$PROGRAMA")/mostrar_mensagem.exe"
    cp "$MOSTRAR_MENSAGEM" "$MOSTRAR"
    trap 'rm -f "$MOSTRAR"; encerrar' EXIT
fi

verificar() { # <kind> <caption> <keys> <result>
    echo "row: $*"
    "${EXECUTOR[@]}" "$MOSTRAR" "$1" >"$TRABALHO/resultado" 2>"$TRABALHO/saida" &
    PID_PROGRAMA=$!
    teclar "$(esperar_janela "$2")" $3
    esperar_que '! kill -0 "$PID_PROGRAMA" 2>/dev/null' ||
        falhar "the message '$2' is still open after $3"
    afirmar_igual "$(tr -d '\r' <"$TRABALHO/resultado")" "$4" "the result of $1 after $3"
}

verificar Advertencia "Mensagem de Advertência" o 1
verificar Informacao "Mensagem de Informação" shift+o 1
verificar Confirmacao "Mensagem de Confirmação" s 6
verificar Confirmacao "Mensagem de Confirmação" n 7
verificar Exclusao "Mensagem Confirma Exclusão" shift+s 6
verificar Gravacao "Mensagem Confirma Gravação" n 7
verificar Gravacao "Mensagem Confirma Gravação" alt+s 6
verificar ResAC "Atenção" a 6
verificar ResAEC "Atenção" e 7
verificar ResAEC "Atenção" c 2
