#!/usr/bin/env bash
# The Windows program when its client library or the server fails, under Wine: DLL\lib\libpq.dll
# missing, a file that is not a DLL, a folder in its place, a DLL for 32-bit Windows, a DLL short
# of entry points, a refused password and a closed port. Each row gives its exact error box, then
# the filter window opens, Alt+I starts the viewer (with the design-time dates, as after every
# failed start) and closing the window ends the program with exit code 0. No box holds the
# password.
source "$(dirname "$0")/comum.sh"
iniciar_tela
iniciar_servidor

SENHA=segredo
SENHA_ERRADA="Errada-d9F3"
# The program's architecture, named in the hint of every load error.
DICA="Hint: check it is in the PATH or application EXE directories, and has x64 bitness."

# A copy of the installed program whose DLL\lib\libpq.dll is replaced by the file $2 (none when
# $2 is empty); prints the new program's path.
instalacao_com() {
    local copia
    copia=$(copiar_instalacao "$1")
    rm "$(dirname "$copia")/DLL/lib/libpq.dll"
    [ -z "$2" ] || cp "$2" "$(dirname "$copia")/DLL/lib/libpq.dll"
    echo "$copia"
}

# One row: its name, the program, the box's text, then the program's arguments.
verificar_linha() {
    local nome=$1 programa=$2 esperado=$3
    shift 3
    echo "row: $nome"
    PROGRAMA=$programa iniciar_programa "$@"
    local caixa texto
    caixa=$(esperar_janela "Rellicensacliente")
    texto=$(texto_da_caixa "$caixa")
    afirmar_igual "$texto" "$(caixa_de_erro "$esperado")" "$nome: error box"
    case $texto in *"$SENHA"* | *"$SENHA_ERRADA"*) falhar "$nome: the box shows the password" ;; esac
    depois_da_caixa_de_erro "$caixa" "$nome"
}

CONEXAO=(127.0.0.1 "$PORTA" relatorio "$SENHA" empresa 12 34 joao)
# The details are Wine's texts for the system error codes of the failed load (126, 193).
erro_de_carga() { # <program> <details>
    local dll
    dll="$(caminho_visto "$(dirname "$1")")\\DLL\\lib\\libpq.dll"
    printf '%s\n%s\n' "[Conexao][Phys][PG]-314. Cannot load vendor library [$dll]. ${2//@/$dll}" "$DICA"
}

programa=$(instalacao_com ausente "")
verificar_linha "biblioteca ausente" "$programa" "$(erro_de_carga "$programa" "Module not found")" \
    "${CONEXAO[@]}"

head -c 1000 /dev/zero | tr '\0' '#' >"$TRABALHO/texto.dll"
programa=$(instalacao_com nao-dll "$TRABALHO/texto.dll")
verificar_linha "arquivo que nao e DLL" "$programa" "$(erro_de_carga "$programa" "Bad EXE format for %1")" \
    "${CONEXAO[@]}"

programa=$(instalacao_com pasta "")
mkdir "$(dirname "$programa")/DLL/lib/libpq.dll"
verificar_linha "pasta no lugar da DLL" "$programa" \
    "$(erro_de_carga "$programa" "@: not a regular file, but a directory")" "${CONEXAO[@]}"

programa=$(instalacao_com 32bits "$PQ_32BITS")
verificar_linha "DLL de 32 bits" "$programa" "$(erro_de_carga "$programa" \
    "@ has unsupported architecture [x86]. Required [x64].
Bad EXE format for %1")" "${CONEXAO[@]}"

programa=$(instalacao_com incompleta "$PQ_INCOMPLETA")
verificar_linha "DLL sem pontos de entrada" "$programa" \
    "$(printf '%s\n%s' "[Conexao][Phys][PG]-315. Cannot get vendor library entry point[s]. [PQstatus" "PQfinish].")" \
    "${CONEXAO[@]}"

TENTATIVA="[Conexao][Phys][PG][libpq] connection to server at \"127.0.0.1\", port $PORTA failed:"
verificar_linha "senha recusada" "$PROGRAMA" \
    "$TENTATIVA FATAL:  password authentication failed for user \"relatorio\"
" 127.0.0.1 "$PORTA" relatorio "$SENHA_ERRADA" empresa 12 34 joao

# Nothing listens on port 1 of loopback; libpq on Windows names the Winsock error.
verificar_linha "porta fechada" "$PROGRAMA" \
    "[Conexao][Phys][PG][libpq] connection to server at \"127.0.0.1\", port 1 failed: Connection refused (0x0000274D/10061)"$'\n\tIs the server running on that host and accepting TCP/IP connections?\n' \
    127.0.0.1 1 relatorio "$SENHA" empresa 12 34 joao
