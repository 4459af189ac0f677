#!/usr/bin/env bash
# One full run of the program under LeakSanitizer (the sanitizer build only): it connects, prints
# and is closed; every block our code allocated must have been freed by then. The system
# libraries' own one-time allocations are suppressed in tests/vazamentos.supp, each with its reason.
source "$(dirname "$0")/comum.sh"
iniciar_tela
iniciar_servidor

# Its own exit code for leaks, so that a leak is told apart from any other failure.
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=0:exitcode=23"
export LSAN_OPTIONS="suppressions=$RAIZ/tests/vazamentos.supp:print_suppressions=0"
iniciar_programa 127.0.0.1 "$PORTA" relatorio segredo empresa 12 34 joao
janela=$(esperar_janela "Relação de Licensa Clientes")
teclar "$janela" alt+i
esperar_arquivo "$LANCADOR_VISOR_REGISTRO"
fechar_programa "$janela"
[ "$STATUS_PROGRAMA" = 0 ] ||
    falhar "the program ended with $STATUS_PROGRAMA (23: leaks); its output: $(cat "$TRABALHO/saida")"
