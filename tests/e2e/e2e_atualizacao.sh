#!/usr/bin/env bash
# A newer version over an older one, and back, under Wine, with either package:
#   e2e_atualizacao.sh nsis|msi
# The older version is the same folder with a file and a folder more, under version 1.0.0.0:
# - installed into a folder of the administrator's choice (blanks, accents, Chinese), with the
#   program open from it: the newer package, silent, ends with an error and leaves the
#   installation as it was;
# - NSIS by hand, the program still open: its pages in Portuguese, the installed folder
#   proposed, then a box that says the program is open and waits; the program closed, Repetir
#   goes on. MSI, silent, once the program is closed;
# - either way the newer version replaces the older one where it is: none of the old files left,
#   one entry in Add/Remove Programs, under the new version, nothing under Program Files; the
#   program runs from there;
# - the older package over the newer one, silent, is refused and changes nothing (NSIS by hand
#   asks first; the test answers No);
# - a newer one still, with another folder named on its command line, goes there and removes the
#   installation it replaces;
# - the removal leaves nothing.
# Pictures of the NSIS pages are left in CAPTURAS (instalador_*.png).
source "$(dirname "$0")/comum.sh"
source "$(dirname "$0")/instaladores_windows.sh"
tipo=$1
# Windows in Portuguese (Brazil), as the users have it: the system's own buttons too.
export LANG=pt_BR.UTF-8 LC_ALL=pt_BR.UTF-8
raiz_escolhida="$WINEPREFIX/drive_c/Meus Relatórios"
pasta="$raiz_escolhida/Licença 报表"
antiga=1.0.0.0
trap 'rm -rf "$raiz_escolhida"; encerrar' EXIT
iniciar_tela
iniciar_servidor

cp -r "$PASTA_DO_PACOTE" "$TRABALHO/antiga"
echo obsoleto >"$TRABALHO/antiga/relatorios/obsoleto.relatorio"
mkdir "$TRABALHO/antiga/obsoleta"
echo obsoleto >"$TRABALHO/antiga/obsoleta/leiame.txt"
fazer_pacotes $antiga "$TRABALHO/antiga" "$TRABALHO"
pacote_antigo="$TRABALHO/RelLicensaCliente-$antiga-windows-x64"

# What an installation of the folder holds: its files, and NSIS's uninstaller.
esperado() { { arquivos_em "$1" && [ "$tipo" = msi ] || echo ./Uninstall.exe; } | sort; }
# The version registered, then the files of the chosen folder.
estado() { registrado DisplayVersion && arquivos_em "$pasta"; }

# By hand: waits for the installer's window (or its box) with these buttons (the line before
# ler_caixa's last), and keeps a picture.
INSTALADOR="Instalação do Relação de Licensa Clientes"
tela_do_instalador() { # <picture name> <caption> <buttons>
    local legenda=$2 esperados=$3 botoes=""
    esperar_que 'botoes=$(wine "$LER_CAIXA" "$legenda" 2>/dev/null | tr -d "\r" | tail -n 2 | head -n 1)
                 [ "$botoes" = "$esperados" ]' ||
        falhar "no installer window '$legenda' with the buttons [$esperados] (last seen: [$botoes])"
    if [ -n "${CAPTURAS:-}" ]; then
        mkdir -p "$CAPTURAS"
        sleep 1 # painted
        capturar_tela "$CAPTURAS/instalador_$1.png"
    fi
}
# Presses a key in the installer's window with this caption.
no_instalador() { teclar "$(xdotool search --onlyvisible --name "^$1\$" | tail -n 1)" "${@:2}"; }

instalar_pacote "$tipo" "$pacote_antigo" "$pasta" || falhar "the older version did not install (status $?)"
antes=$(estado)
afirmar_igual "$antes" "$(echo $antiga && esperado "$TRABALHO/antiga")" "the older version installed"

PROGRAMA="$pasta/RelLicensaCliente.exe"
iniciar_conectado
if instalar_pacote "$tipo" "$PACOTE"; then
    falhar "the newer version installed while the program was open"
fi
afirmar_igual "$(estado)" "$antes" "the installation after a silent attempt while the program was open"

if [ "$tipo" = nsis ]; then
    wine "$PACOTE.exe" >/dev/null 2>&1 &
    pid_instalador=$!
    tela_do_instalador 1_boas_vindas "$INSTALADOR" "Próximo > Cancelar"
    no_instalador "$INSTALADOR" Return
    tela_do_instalador 2_pasta "$INSTALADOR " "< Voltar Instalar Cancelar Procurar... Pasta de Destino"
    printf '' | xclip -selection clipboard
    no_instalador "$INSTALADOR " ctrl+a ctrl+c
    esperar_que '[ -n "$(xclip -o -selection clipboard 2>/dev/null)" ]' || falhar "no folder proposed"
    afirmar_igual "$(xclip -o -selection clipboard)" "$(caminho_visto "$pasta")" "the folder proposed"
    no_instalador "$INSTALADOR " Return
    tela_do_instalador 3_programa_aberto "$INSTALADOR" "Repetir Cancelar"
    [[ $(wine "$LER_CAIXA" "$INSTALADOR" | tr -d '\r') == *"está aberto"* ]] ||
        falhar "the box does not say that the program is open"
    # The user clicks the program's window (its corner, beside the installer) and closes it.
    xdotool mousemove --window "$JANELA" 5 5 click 1
    fechar_e_conferir
    no_instalador "$INSTALADOR" Return
    tela_do_instalador 4_fim "$INSTALADOR " "< Voltar Concluir Cancelar"
    no_instalador "$INSTALADOR " Return
    wait "$pid_instalador" || falhar "the installer ended with status $?"
else
    fechar_e_conferir
    instalar_pacote "$tipo" "$PACOTE" || falhar "the newer version did not install (status $?)"
fi
depois=$(estado)
afirmar_igual "$depois" "$(echo "$VERSAO" && esperado "$PASTA_DO_PACOTE")" "the newer version over the older one"
[ ! -e "$PASTA_PADRAO" ] || falhar "the upgrade installed into $PASTA_PADRAO"
iniciar_conectado
fechar_e_conferir

if instalar_pacote "$tipo" "$pacote_antigo"; then
    falhar "the older version installed over the newer one"
fi
if [ "$tipo" = nsis ]; then
    wine "$pacote_antigo.exe" >/dev/null 2>&1 &
    pid_instalador=$!
    tela_do_instalador 5_versao_mais_nova "$INSTALADOR" "Sim Não"
    no_instalador "$INSTALADOR" Return # No, the default
    wait "$pid_instalador" && falhar "the older installer, answered No, ended with status 0"
fi
afirmar_igual "$(estado)" "$depois" "the installation after the older version was refused"

# The administrator's folder wins: a newer version installed silently with /D= (INSTALLDIR=)
# naming another folder goes there, and the installation it replaces goes whole.
outra="$raiz_escolhida/Outra pasta"
fazer_pacotes 99.0.0.0 "$PASTA_DO_PACOTE" "$TRABALHO"
pacote_novo="$TRABALHO/RelLicensaCliente-99.0.0.0-windows-x64"
instalar_pacote "$tipo" "$pacote_novo" "$outra" ||
    falhar "the version for another folder did not install (status $?)"
afirmar_igual "$(registrado DisplayVersion)" 99.0.0.0 "the version registered after the move"
afirmar_igual "$(arquivos_em "$outra")" "$(esperado "$PASTA_DO_PACOTE")" "the files in the folder named"
[ ! -e "$pasta" ] || falhar "the installation replaced is still in $pasta: $(cd "$pasta" && find . | tr '\n' ' ')"

remover_instalacao "$tipo" "$outra" "$pacote_novo"
