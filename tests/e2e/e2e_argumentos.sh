#!/usr/bin/env bash
# The arguments as the parent application passes them reach the session values: on Windows by
# the splitting rules of the raw command line (an empty argument is skipped, so the later ones
# move up and the employee code becomes the login "joao"); on Linux exactly as the argument
# vector holds them (an empty password is a password, quotes are part of a value, and neither
# the program's name nor its folder plays a part). Argument 6 "12a" is refused on both. Each
# error box names the offending text, and no connection is attempted.
source "$(dirname "$0")/comum.sh"
iniciar_tela
PASTA_PG="$TRABALHO/pg"
PORTA=$(bash "$RAIZ/scripts/servidor_pg.sh" start "$PASTA_PG" --papel relatorio segredo \
    --papel sem_senha "" --papel aspas 'de"mo' --banco empresa relatorio --vigiar $$)

# Once the program has read its arguments, the command line that other programs see holds them
# all but the password, whose characters are stars. (On Windows an empty argument moves the later
# ones up, and another one is the password: the splitting tests cover that.)
verificar_linha_visivel() {
    local argumento estrelas visivel
    if [ "$PLATAFORMA" = windows ]; then
        for argumento in "$@"; do
            [ -n "$argumento" ] || return 0
        done
    fi
    estrelas=$(printf '%s' "$4" | tr -c '\n' '*')
    visivel=$(linha_visivel)
    echo "command line seen from outside: $visivel"
    local esperada="$1 $2 $3 $estrelas $5 $6 $7 $8"
    [[ "$visivel " == *" $esperada "* ]] ||
        falhar "the command line seen from outside is [$visivel]; expected it to end in [$esperada]"
}

verificar_erro() {
    local esperado=$1
    shift
    iniciar_programa "$@"
    local caixa
    caixa=$(esperar_janela "Rellicensacliente")
    verificar_linha_visivel "$@"
    afirmar_igual "$(texto_da_caixa "$caixa" | sed -n 4p)" "$esperado" "error box for: $*"
    teclar "$caixa" Return
    local janela
    janela=$(esperar_janela "Relação de Licensa Clientes")
    afirmar_igual "$(sessao)" "" "connections for: $*"
    fechar_programa "$janela"
    afirmar_igual "$STATUS_PROGRAMA" 0 "exit code for: $*"
}

# Starts the program with the arguments given (through EXECUTOR): it connects with no error box,
# and the server sees the session "user|database".
verificar_sessao() {
    local esperada=$1
    shift
    iniciar_programa "$@"
    local janela
    janela=$(esperar_janela "Relação de Licensa Clientes")
    verificar_linha_visivel "$@"
    afirmar_igual "$(sessao)" "$esperada" "session for: $*"
    fechar_programa "$janela"
    afirmar_igual "$STATUS_PROGRAMA" 0 "exit code for: $*"
    sem_sessao "for: $*"
}

if [ "$PLATAFORMA" = windows ]; then
    verificar_erro "'joao' is not a valid integer value." \
        127.0.0.1 "$PORTA" relatorio "" empresa 12 34 joao
else
    verificar_sessao "sem_senha|empresa" 127.0.0.1 "$PORTA" sem_senha "" empresa 12 34 joao
    verificar_sessao "aspas|empresa" 127.0.0.1 "$PORTA" aspas 'de"mo' empresa 12 34 'a"b"c'
    # A parent that starts the program with an empty name.
    EXECUTOR=(bash -c 'exec -a "" "$0" "$@"')
    verificar_sessao "relatorio|empresa" 127.0.0.1 "$PORTA" relatorio segredo empresa 12 34 joao
    EXECUTOR=()
    # Installed in a folder whose name holds one double quote.
    pasta="$TRABALHO/uma\"aspa"
    cp -a "$(dirname "$PROGRAMA")" "$pasta"
    PROGRAMA="$pasta/$(basename "$PROGRAMA")" verificar_sessao "relatorio|empresa" \
        127.0.0.1 "$PORTA" relatorio segredo empresa 12 34 joao
fi
verificar_erro "'12a' is not a valid integer value." \
    127.0.0.1 "$PORTA" relatorio segredo empresa 12a 34 joao
