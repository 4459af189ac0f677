#!/usr/bin/env bash
# The Windows program started with raw command lines, as a Windows parent application writes
# them (Windows only: Linux has no raw command line). Each line either connects (the server sees
# exactly the user and database it names, with no error box) or shows the error box with the
# exact text; the window then opens.
source "$(dirname "$0")/comum.sh"
iniciar_tela
PASTA_PG="$TRABALHO/pg"
PORTA=$(bash "$RAIZ/scripts/servidor_pg.sh" start "$PASTA_PG" --papel relatorio segredo \
    --papel "João" "senha çã" --banco empresa relatorio --banco "minha empresa" relatorio \
    --banco "relatórios" "João" --vigiar $$)
exe="\"$(caminho_visto "$PROGRAMA")\""

# <raw command line> <expected "user|database" of the session, or the error box's text>
verificar() {
    local linha=$1 esperado=$2
    echo "run: $linha"
    iniciar_programa_com_linha "$linha"
    local janela
    if [[ "$esperado" == *"|"* ]]; then
        janela=$(esperar_janela "Relação de Licensa Clientes")
        afirmar_igual "$(sessao)" "$esperado" "session for: $linha"
    else
        local caixa
        caixa=$(esperar_janela "Rellicensacliente")
        afirmar_igual "$(texto_da_caixa "$caixa" | sed -n 4p)" "$esperado" "error box for: $linha"
        teclar "$caixa" Return
        janela=$(esperar_janela "Relação de Licensa Clientes")
    fi
    fechar_programa "$janela"
    afirmar_igual "$STATUS_PROGRAMA" 0 "exit code for: $linha"
    sem_sessao "for: $linha"
}

verificar "$exe 127.0.0.1 $PORTA relatorio segredo empresa 12 34 joao" "relatorio|empresa"
# Quoted stretches keep their blanks and join the unquoted ones; blanks may lead a code inside
# quotes; tabs separate like blanks.
verificar "$exe \"127.0.0.1\" $PORTA rela\"tor\"io segredo \"minha empresa\" \" 12\"	34 \"Maria da Silva\"" \
    "relatorio|minha empresa"
# An argument written as "" does not exist: the ones after it move up.
verificar "$exe 127.0.0.1 $PORTA relatorio \"\" empresa 12 34 joao" "'joao' is not a valid integer value."
verificar "$exe 127.0.0.1 $PORTA relatorio segredo empresa 12 3x4 joao" "'3x4' is not a valid integer value."
verificar "$exe 127.0.0.1 $PORTA relatorio segredo empresa \"1 2\" 34 joao" "'1 2' is not a valid integer value."
# Non-ASCII user, password and database reach the server exactly.
verificar "$exe 127.0.0.1 $PORTA João \"senha çã\" relatórios \$1F -0x10 joão" "João|relatórios"
# Control characters separate arguments like blanks.
verificar "$exe"$'\x01'"127.0.0.1"$'\x1f\x02'"$PORTA relatorio segredo empresa"$'\x0b'"12 34 joao" \
    "relatorio|empresa"
# A command line near Windows's limit of 32767 characters: a login of 32000.
verificar "$exe 127.0.0.1 $PORTA relatorio segredo empresa 12 34 $(head -c 32000 /dev/zero | tr '\0' x)" \
    "relatorio|empresa"

# The password is in no file of the Wine prefix (its registry included) after all these runs.
! grep -rlF -e segredo -e "senha çã" "$WINEPREFIX" 2>/dev/null || falhar "a file of the prefix holds a password"
