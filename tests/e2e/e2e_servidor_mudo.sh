#!/usr/bin/env bash
# A server that accepts the connection and then never answers: the one attempt gives up after
# its bound of 30 seconds with libpq's text in the error box, and the window then opens, prints
# and closes with exit code 0, as after any refused connection.
source "$(dirname "$0")/comum.sh"
iniciar_tela
"$OUVINTE_MUDO" >"$TRABALHO/porta" &
PID_OUVINTE=$!
trap 'kill "$PID_OUVINTE" 2>/dev/null || true; encerrar' EXIT
until [ -s "$TRABALHO/porta" ]; do sleep 0.05; done
PORTA=$(cat "$TRABALHO/porta")

inicio=$SECONDS
iniciar_programa 127.0.0.1 "$PORTA" relatorio segredo empresa 12 34 joao
caixa=$(TEMPO_LIMITE=45 esperar_janela "Rellicensacliente")
espera=$((SECONDS - inicio))
[ "$espera" -ge 29 ] && [ "$espera" -le 40 ] || falhar "the attempt ended after $espera s, not 30"
afirmar_igual "$(texto_da_caixa "$caixa")" "$(caixa_de_erro "[Conexao][Phys][PG][libpq] connection \
to server at \"127.0.0.1\", port $PORTA failed: timeout expired
")" "error box"
depois_da_caixa_de_erro "$caixa"
