#!/usr/bin/env bash
# Dates as people type them into the installed program, with real keys and clicks, in the
# users' locale and in others (pt_BR dd/MM/yyyy, en_US M/d/yyyy, de_DE dd.MM.yyyy, hu_HU
# yyyy. MM. dd., fa_IR yyyy/M/d shown in Persian digits, typed here in ASCII ones: xdotool types
# a character missing from the keyboard map by remapping a key for it, which the program may
# read with the old map; tests/app types Persian digits as key events): whole dates, two-digit years left by each
# way of leaving the year, dates that are not whole printed by key and by mouse, the untouched
# defaults, the calendar popup and the Tab order through the whole window. Each row checks what
# the viewer receives, or that the warning came and no viewer was started.
source "$(dirname "$0")/comum.sh"
iniciar_tela
iniciar_servidor

# Points of the filter window, relative to it: the first date field's day section (the month
# in en_US), its calendar arrow, the first row's combo and the print button.
declare -A PONTOS=([dia]="165 73" [seta]="242 73" [combo]="40 73" [imprimir]="734 159")

# The year that two digits stand for on the program's platform: the rule of strptime's %y on
# Linux; under Wine the user's calendar setting, which Wine (8.0) answers with Windows' default,
# 2049 as the last year, whatever the setting says.
ano_curto() { # <two digits>
    if [ "$PLATAFORMA" = windows ]; then
        [ "$1" -le 49 ] && echo "20$1" || echo "19$1"
    else
        [ "$1" -le 68 ] && echo "20$1" || echo "19$1"
    fi
}

HOJE_MES=$(date +%Y-%m)

# Runs the actions in order, each one word:
#   d:<text>      types the text          k:<keys>      presses the keys (xdotool names)
#   c:<point>     clicks a point of PONTOS
agir() {
    local acao
    for acao in "$@"; do
        case $acao in
        d:*) xdotool type --delay 60 "${acao#d:}" ;;
        k:*) xdotool key --delay 60 ${acao#k:} ;;
        c:*)
            # shellcheck disable=SC2086
            xdotool mousemove --window "$JANELA" ${PONTOS[${acao#c:}]} click 1
            ;;
        *) falhar "unknown action $acao" ;;
        esac
        sleep 0.2
    done
}

# <locale> "<actions, the last of which prints>" <"aviso", or the parameters expected>...
verificar() {
    local localidade=$1 acoes=$2
    shift 2
    echo "row: $localidade $acoes"
    local executor_anterior=("${EXECUTOR[@]}")
    EXECUTOR=(env LANG="$localidade" LC_ALL="$localidade" "${EXECUTOR[@]}")
    iniciar_conectado
    EXECUTOR=("${executor_anterior[@]}")
    xdotool windowfocus --sync "$JANELA"
    rm -f "$LANCADOR_VISOR_REGISTRO"
    # shellcheck disable=SC2086
    agir $acoes
    if [ "$1" = aviso ]; then
        # Warned, and warned again on a second print: the field kept what was typed.
        local aviso vez
        for vez in 1 2; do
            [ $vez = 1 ] || teclar "$JANELA" alt+i
            aviso=$(esperar_janela "Mensagem de Advertência")
            teclar "$aviso" Return
            esperar_que "! xdotool search --onlyvisible --name '^Mensagem de Advertência\$' >/dev/null" ||
                falhar "$localidade $acoes: the warning stayed open"
        done
        sleep 0.5
        [ ! -e "$LANCADOR_VISOR_REGISTRO" ] ||
            falhar "$localidade $acoes: a viewer ran with a date that is not whole"
    else
        esperar_arquivo "$LANCADOR_VISOR_REGISTRO"
        local esperado
        for esperado in "$@"; do
            grep -qxF "$esperado" "$LANCADOR_VISOR_REGISTRO" ||
                falhar "$localidade $acoes: expected $esperado, the viewer got: $(tail -n +5 "$LANCADOR_VISOR_REGISTRO" | tr '\n' ' ')"
        done
    fi
    fechar_e_conferir
}

# Whole dates, the field entered by Tab (as the window opens), by a click on its first section
# or after Ctrl+A.
verificar pt_BR.UTF-8 "d:07/03/2025 k:alt+i" P_DTDE=2025-03-07
verificar pt_BR.UTF-8 "d:7/3/2025 k:alt+i" P_DTDE=2025-03-07
verificar pt_BR.UTF-8 "d:07032025 k:alt+i" P_DTDE=2025-03-07
verificar pt_BR.UTF-8 "d:31/12/1999 k:alt+i" P_DTDE=1999-12-31
verificar pt_BR.UTF-8 "c:combo c:dia d:07/03/2025 k:alt+i" P_DTDE=2025-03-07
verificar pt_BR.UTF-8 "k:ctrl+a d:07/03/2025 c:imprimir" P_DTDE=2025-03-07
verificar en_US.UTF-8 "d:3/7/2025 k:alt+i" P_DTDE=2025-03-07
verificar en_US.UTF-8 "c:combo c:dia d:12/25/2025 k:alt+i" P_DTDE=2025-12-25
verificar en_US.UTF-8 "k:ctrl+a d:03/07/2025 k:alt+i" P_DTDE=2025-03-07
verificar de_DE.UTF-8 "d:07.03.2025 k:alt+i" P_DTDE=2025-03-07
verificar hu_HU.UTF-8 "d:2025.03.07 k:alt+i" P_DTDE=2025-03-07
verificar fa_IR.UTF-8 "d:2025/3/7 k:alt+i" P_DTDE=2025-03-07

# Two-digit years, left by each way: Tab, Enter, the separator, a click elsewhere, a click in
# another section of the same field, Alt+I, a click on "Imprimir".
verificar pt_BR.UTF-8 "d:15/03/25 k:Tab k:alt+i" P_DTDE=2025-03-15
verificar pt_BR.UTF-8 "d:15/03/69 k:Return k:alt+i" "P_DTDE=$(ano_curto 69)-03-15"
# Years on which the rules differ: C library 2030 2050 2068; Windows 2030 1950 1968; a limit of
# 2029 would give 1930.
verificar pt_BR.UTF-8 "d:15/03/30 k:alt+i" "P_DTDE=$(ano_curto 30)-03-15"
verificar pt_BR.UTF-8 "d:15/03/50 k:alt+i" "P_DTDE=$(ano_curto 50)-03-15"
verificar pt_BR.UTF-8 "d:15/03/68 c:imprimir" "P_DTDE=$(ano_curto 68)-03-15"
verificar pt_BR.UTF-8 "d:15/03/25/ k:alt+i" P_DTDE=2025-03-15
verificar pt_BR.UTF-8 "d:15/03/25 c:combo k:alt+i" P_DTDE=2025-03-15
verificar pt_BR.UTF-8 "d:15/03/25 c:dia d:16 k:alt+i" P_DTDE=2025-03-16
verificar pt_BR.UTF-8 "d:15/03/25 k:alt+i" P_DTDE=2025-03-15
verificar pt_BR.UTF-8 "d:15/03/25 c:imprimir" P_DTDE=2025-03-15
verificar en_US.UTF-8 "d:3/15/25 c:imprimir" P_DTDE=2025-03-15
verificar de_DE.UTF-8 "d:7.3.25 k:Tab k:alt+i" P_DTDE=2025-03-07
verificar hu_HU.UTF-8 "d:25.03.07 k:alt+i" P_DTDE=2025-03-07
verificar fa_IR.UTF-8 "d:25/3/7 k:alt+i" P_DTDE=2025-03-07
verificar fa_IR.UTF-8 "d:25/3/7 c:imprimir" P_DTDE=2025-03-07

# Enter keeps the date and moves nowhere, first thing and in the middle of a date being typed:
# what is typed after it lands where it was typed.
verificar pt_BR.UTF-8 "k:Return d:20/03/2025 k:alt+i" P_DTDE=2025-03-20
verificar pt_BR.UTF-8 "d:20/03/ k:Return d:2025 k:alt+i" P_DTDE=2025-03-20
verificar pt_BR.UTF-8 "d:20/0 k:Return d:3/2025 k:alt+i" P_DTDE=2025-03-20

# Separators typed with a modifier held, key by key as a keyboard sends them (xdotool's type
# would remap a key for the character instead): Shift+7 on a Spanish keyboard, AltGr+Q on a
# Brazilian one.
com_teclado() { # <layout> <command...>
    setxkbmap "$1"
    shift
    "$@"
    setxkbmap us
}
com_teclado es verificar pt_BR.UTF-8 "k:2 k:0 k:shift+7 k:0 k:3 k:shift+7 k:2 k:0 k:2 k:5 k:alt+i" \
    P_DTDE=2025-03-20
com_teclado br verificar pt_BR.UTF-8 \
    "k:2 k:0 k:ISO_Level3_Shift+q k:0 k:3 k:ISO_Level3_Shift+q k:2 k:0 k:2 k:5 k:alt+i" \
    P_DTDE=2025-03-20

# Left and Right move between the sections, Up and Down step the one selected.
verificar pt_BR.UTF-8 "d:15/03/2025 k:Left k:Left d:16 k:alt+i" P_DTDE=2025-03-16
verificar pt_BR.UTF-8 "d:15/03/2025 k:Left k:Up k:Right k:Right k:Down k:alt+i" P_DTDE=2024-04-15

# Not whole: a year of one or three digits, a year cleared, a year 0; by key and by mouse.
verificar pt_BR.UTF-8 "d:15/03/2 k:alt+i" aviso
verificar pt_BR.UTF-8 "d:15/03/2 c:imprimir" aviso
verificar pt_BR.UTF-8 "d:15/03/202 c:combo k:alt+i" aviso
verificar pt_BR.UTF-8 "d:15/03/ k:BackSpace c:imprimir" aviso
verificar pt_BR.UTF-8 "d:07/03/0000 k:alt+i" aviso
verificar en_US.UTF-8 "d:3/15/2 k:Tab c:imprimir" aviso
verificar hu_HU.UTF-8 "d:202.03.07 c:imprimir" aviso
verificar fa_IR.UTF-8 "d:2025/3/ k:BackSpace k:alt+i" aviso

# The defaults as the window opens, in each locale's digits.
for localidade in pt_BR.UTF-8 en_US.UTF-8 hu_HU.UTF-8 fa_IR.UTF-8; do
    verificar $localidade "k:alt+i" "P_DTDE=$HOJE_MES-01" "P_DTATE=$(date +%F)"
done

# The calendar popup, opened by key and by the arrow: the day after the first of the month.
verificar pt_BR.UTF-8 "k:alt+Down k:Right k:Return k:alt+i" "P_DTDE=$HOJE_MES-02"
verificar en_US.UTF-8 "k:F4 k:Right k:Return c:imprimir" "P_DTDE=$HOJE_MES-02"
verificar fa_IR.UTF-8 "c:seta k:Right k:Return c:imprimir" "P_DTDE=$HOJE_MES-02"

# One Tab stop per field, in the window's order: a full round back to the first field, six on
# to the second row's to-date, five back to the first row's, and Shift+Tab from the first field
# to "Imprimir", pressed with the space bar. A field entered either way starts at its first
# section.
verificar pt_BR.UTF-8 "$(printf 'k:Tab %.0s' $(seq 11))d:01/02/2025 \
$(printf 'k:Tab %.0s' $(seq 6))d:28/02/2025 $(printf 'k:shift+Tab %.0s' $(seq 5))d:15/02/2025 \
k:shift+Tab k:shift+Tab k:space" P_DTDE=2025-02-01 P_DTATE=2025-02-15 P_DTATE2=2025-02-28
