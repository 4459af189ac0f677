#!/usr/bin/env bash
# The Windows installer (NSIS) under Wine, as an administrator uses it, in the test run's prefix:
#   e2e_instalador_windows.sh instalar
#     makes the installers when the build is newer, runs the NSIS one silently and checks that
#     C:\Program Files\RelLicensaCliente holds exactly the files that `cmake --install` lays out,
#     with the uninstaller, that the program is registered for removal under its version, that
#     every DLL that the program or a file in DLL\lib imports is one of every Windows or lies
#     beside it, and that OpenSSL names no folder of the build machine;
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
    # The size Add/Remove Programs shows, in KB: the folder's, within a block per file.
    tamanho=$(( $(registrado EstimatedSize) ))
    esperado=$(du -s --apparent-size -k "$pasta" | cut -f1)
    (( tamanho > 0 && tamanho >= esperado - 64 && tamanho <= esperado + 64 )) ||
        falhar "EstimatedSize is $tamanho KB for a folder of $esperado KB"

    # The client library loads from DLL\lib with what it needs beside it (the OpenSSL DLLs), so
    # that a site can swap the set; anything else must come with every Windows the program
    # supports (10, 11, Server 2016 and later). Wine's system32 is no measure of that: it holds
    # stand-ins for DLLs a clean Windows lacks (vcruntime140 and the like).
    dlls_do_windows=" advapi32.dll authz.dll comdlg32.dll crypt32.dll d3d11.dll d3d9.dll
        dwmapi.dll dwrite.dll dxgi.dll gdi32.dll imm32.dll kernel32.dll msvcrt.dll netapi32.dll
        ole32.dll oleaut32.dll secur32.dll shcore.dll shell32.dll shlwapi.dll user32.dll
        userenv.dll uxtheme.dll version.dll winmm.dll ws2_32.dll wtsapi32.dll
        api-ms-win-core-synch-l1-2-0.dll api-ms-win-core-winrt-l1-1-0.dll
        api-ms-win-core-winrt-string-l1-1-0.dll "
    dlls_do_windows=$(tr -s ' \n' ' ' <<<"$dlls_do_windows")
    for arquivo in "$pasta/RelLicensaCliente.exe" "$pasta"/DLL/lib/*.dll; do
        for importada in $(x86_64-w64-mingw32-objdump -p "$arquivo" | sed -n 's/^\s*DLL Name: //p'); do
            [[ "$dlls_do_windows" == *" ${importada,,} "* ]] ||
                [ -n "$(find "$(dirname "$arquivo")" -maxdepth 1 -iname "$importada" | head -n 1)" ] ||
                falhar "$(basename "$arquivo") imports $importada, which is neither beside it nor a DLL of every Windows"
        done
    done

    # No path of the build machine compiled into OpenSSL, and its configuration, engines and
    # modules folders in System32, which only administrators may create or change: from a
    # folder any user may create, Windows would read openssl.cnf, or load modules, of theirs.
    for arquivo in "$pasta"/DLL/lib/lib{crypto,ssl}-*.dll; do
        textos=$(strings -e l "$arquivo"; strings "$arquivo")
        caminhos=$(grep -E '(^|[ "])/(home|root|tmp|usr|work|build)/|\.cache/' <<<"$textos" || true)
        [ -z "$caminhos" ] || falhar "$(basename "$arquivo") holds paths of the build machine: $caminhos"
    done
    pastas=$(strings "$pasta"/DLL/lib/libcrypto-*.dll | grep -oE '^(OPENSSL|ENGINES|MODULES)DIR: "[^"]*"')
    afirmar_igual "$(wc -l <<<"$pastas")" 3 "OpenSSL's folders found in libcrypto"
    while IFS= read -r linha; do
        [[ "$linha" == *': "C:/Windows/System32/'* ]] || falhar "OpenSSL reads from a folder users may create: $linha"
    done <<<"$pastas"
    ;;
desinstalar)
    remover_instalacao nsis "$pasta"
    ;;
*)
    falhar "usage: e2e_instalador_windows.sh instalar|desinstalar"
    ;;
esac
