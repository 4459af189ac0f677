#!/usr/bin/env bash
# Started with no display at all: the program says so on standard error and ends with exit
# code 1, instead of the toolkit's abort (and its core dump).
source "$(dirname "$0")/comum.sh"
status=0
env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$PROGRAMA" 127.0.0.1 1 relatorio segredo \
    empresa 12 34 joao >"$TRABALHO/saida" 2>&1 || status=$?
afirmar_igual "$status" 1 "exit code"
afirmar_igual "$(cat "$TRABALHO/saida")" \
    "RelLicensaCliente: não há tela para mostrar as janelas (DISPLAY e WAYLAND_DISPLAY estão vazios)." \
    "what the program says"
