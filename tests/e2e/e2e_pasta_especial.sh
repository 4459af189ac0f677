#!/usr/bin/env bash
# The program installed in a folder whose name holds what the Windows interpreter treats
# specially (blanks, & ^ % ( ) ! ; ', variable names between percent and exclamation signs) and
# non-ASCII letters: Alt+I still gives the viewer exactly its words and the jar's path, and no
# piece of the name runs as a command (a canary folder would appear) or expands a variable.
# Windows only: a Linux folder name cannot reach cmd.exe (e2e_entrada_hostil covers the shell).
source "$(dirname "$0")/comum.sh"
iniciar_tela
iniciar_servidor

NOME="win app & md canario1 & (x) 100% ^ %PATH% !PATH! ; 'ção' %%"
PASTA="$WINEPREFIX/drive_c/$NOME"
rm -rf "$PASTA"
cp -a "$(dirname "$PROGRAMA")" "$PASTA"
trap 'rm -rf "$PASTA"; encerrar' EXIT
PROGRAMA="$PASTA/RelLicensaCliente.exe"
mkdir "$TRABALHO/trabalho"
cd "$TRABALHO/trabalho"

iniciar_conectado
teclar "$JANELA" alt+i
esperar_arquivo "$LANCADOR_VISOR_REGISTRO"
vista=$(caminho_visto "$PASTA")
afirmar_igual "$(cat "$LANCADOR_VISOR_REGISTRO.jar")" "$vista\\jasperviewer.jar" "the viewer's jar"
afirmar_igual "$(cat "$LANCADOR_VISOR_REGISTRO")" "$(printf '%s\n' Marvoss \
    "$vista\\relatorios\\mv_relacao_licensa_cliente" VIS N \
    "$(parametros_do_visor "$(date +%Y-%m-01)" "$(date +%F)")")" "words received by the viewer"
esperar_fim_do_interpretador
fechar_e_conferir

canarios=$(find "$WINEPREFIX/drive_c" "$TRABALHO" -name 'canario*' -not -path "$PASTA*" 2>/dev/null || true)
[ -z "$canarios" ] || falhar "a piece of the folder name ran as a command: $canarios"
