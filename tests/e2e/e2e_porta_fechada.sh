#!/usr/bin/env bash
# A server that cannot be reached: the connection error is shown before the window, the default
# dates are not set, and the window still prints.
source "$(dirname "$0")/comum.sh"
iniciar_tela

# Nothing listens on port 1, and only root could.
iniciar_programa 127.0.0.1 1 relatorio segredo empresa 12 34 joao
caixa=$(esperar_janela "Rellicensacliente")
texto=$(texto_da_caixa "$caixa" | sed -n 4p)
afirmar_igual "$texto" '[Conexao][Phys][PG][libpq] connection to server at "127.0.0.1", port 1 failed: Connection refused' \
    "first line of the connection error"
teclar "$caixa" Return

janela=$(esperar_janela "Relação de Licensa Clientes")
teclar "$janela" alt+i
esperar_arquivo "$LANCADOR_VISOR_REGISTRO"
afirmar_igual "$(sed -n 5p "$LANCADOR_VISOR_REGISTRO")" P_DTDE=2018-01-12 "first date sent"

fechar_programa "$janela"
afirmar_igual "$STATUS_PROGRAMA" 0 "exit code"
