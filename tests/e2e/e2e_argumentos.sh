#!/usr/bin/env bash
# The real argument vector reaches the session values by the splitting rules: an empty argument
# is skipped, so the later ones move up and the employee code becomes the login "joao"; argument 6
# "12a" is refused. Each error box names the offending text, and no connection is attempted.
source "$(dirname "$0")/comum.sh"
iniciar_tela
iniciar_servidor
tentativas="select count(*) from pg_stat_activity where usename = 'relatorio'"

verificar_erro() {
    local esperado=$1
    shift
    iniciar_programa "$@"
    local caixa
    caixa=$(esperar_janela "Rellicensacliente")
    afirmar_igual "$(texto_da_caixa "$caixa" | sed -n 4p)" "$esperado" "error box for: $*"
    teclar "$caixa" Return
    local janela
    janela=$(esperar_janela "Relação de Licensa Clientes")
    afirmar_igual "$(consultar_servidor "$tentativas")" 0 "connections for: $*"
    fechar_programa "$janela"
    afirmar_igual "$STATUS_PROGRAMA" 0 "exit code for: $*"
}

verificar_erro "'joao' is not a valid integer value." \
    127.0.0.1 "$PORTA" relatorio "" empresa 12 34 joao
verificar_erro "'12a' is not a valid integer value." \
    127.0.0.1 "$PORTA" relatorio segredo empresa 12a 34 joao
