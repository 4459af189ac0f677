#!/usr/bin/env bash
# The Windows installer (NSIS) under Wine, as an administrator uses it, in the test run's prefix:
#   e2e_instalador_windows.sh instalar
#     makes the installers when the build is newer, runs the NSIS one silently and checks that
#     C:\Program Files\RelLicensaCliente holds exactly the files that `cmake --install` lays out,
#     with the uninstaller, that the program is registered for removal under its version, and
#     that every DLL that a file in DLL\lib imports is a system DLL or lies in DLL\lib itself;
#   e2e_instalador_windows.sh desinstalar
#     runs the uninstaller silently and checks that neither the folder nor the registration is
#     left behind.
source "$(dirname "$0")/comum.sh"
source "$(dirname "$0")/instaladores_windows.sh"
acao=$1
pasta=$PASTA_PADRAO
iniciar_tela

case "$acao" in
instalar)
    if [ ! -e "$PACOTE.exe" ] || [ "$ARVORE/app/RelLicensaCliente.exe" -nt "$PACOTE.exe" ]; then
        cmake --build "$ARVORE" --target instaladores >"$TRABALHO/instaladores.log" 2>&1 ||
            falhar "could not make the installers: $(tail -n 20 "$TRABALHO/instaladores.log")"
    fi
    instalar_pacote nsis "$PACOTE" || falhar "the installer ended with status $?"
    [ -d "$pasta" ] || falhar "the installer made no $pasta"

    afirmar_igual "$(arquivos_em "$pasta")" \
        "$( (arquivos_em "$PASTA_DO_PACOTE" && echo ./Uninstall.exe) | sort)" "files installed"
    afirmar_igual "$(registrado DisplayVersion)" "$VERSAO" "versions in Add/Remove Programs"

    # The client library loads from DLL\lib with what it needs beside it (the OpenSSL DLLs), so
    # that a site can swap the set; anything else must come with the system.
    sistema="$WINEPREFIX/drive_c/windows/system32"
    for arquivo in "$pasta"/DLL/lib/*.dll; do
        for importada in $(x86_64-w64-mingw32-objdump -p "$arquivo" | sed -n 's/^\s*DLL Name: //p'); do
            [ -n "$(find "$pasta/DLL/lib" "$sistema" -maxdepth 1 -iname "$importada" | head -n 1)" ] ||
                falhar "$(basename "$arquivo") imports $importada, which is neither in DLL\lib nor a system DLL"
        done
    done
    ;;
desinstalar)
    remover_instalacao nsis "$pasta"
    ;;
*)
    falhar "usage: e2e_instalador_windows.sh instalar|desinstalar"
    ;;
esac
