#!/usr/bin/env bash
# The installed program started as the parent application starts it: it connects (the server
# sees exactly one session of the given user and database), shows the filter window with its
# caption, and closing the window ends the session and the program with exit code 0. A picture
# of the screen is left in CAPTURAS (when set) for a reader to look at.
source "$(dirname "$0")/comum.sh"
iniciar_tela
iniciar_servidor

iniciar_conectado
[ -z "$(xdotool search --onlyvisible --name '.' 2>/dev/null | grep -vx "$JANELA" |
    xargs -r -n1 xdotool getwindowname 2>/dev/null | grep -v '^$' || true)" ] ||
    falhar "another window is on screen beside the filter window (an error box?)"

if [ -n "${CAPTURAS:-}" ]; then
    mkdir -p "$CAPTURAS"
    sleep 0.5 # the window's first paint
    capturar_tela "$CAPTURAS/janela_$PLATAFORMA.png"
    echo "Screen with the filter window: $CAPTURAS/janela_$PLATAFORMA.png"
fi

fechar_e_conferir
