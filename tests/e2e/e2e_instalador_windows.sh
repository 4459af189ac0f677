#!/usr/bin/env bash
# The Windows installer under Wine, as an administrator uses it, in the test run's prefix:
#   e2e_instalador_windows.sh instalar <Windows build tree>
#     makes the installer when the build is newer (cpack), runs it silently and checks that
#     C:\Program Files\RelLicensaCliente holds exactly the files that `cmake --install` lays out,
#     with the uninstaller, that the program is registered for removal, and that every DLL that
#     a file in DLL\lib imports is a system DLL or lies in DLL\lib itself;
#   e2e_instalador_windows.sh desinstalar <Windows build tree>
#     runs the uninstaller silently and checks that neither the folder nor the registration is
#     left behind.
source "$(dirname "$0")/comum.sh"
acao=$1
arvore=$(cd "$2" && pwd)
pasta="$WINEPREFIX/drive_c/Program Files/RelLicensaCliente"
registro='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\RelLicensaCliente'
iniciar_tela

registrado() { wine reg query "$registro" >/dev/null 2>&1; }

case "$acao" in
instalar)
    instalador=$(ls -t "$arvore"/pacotes/RelLicensaCliente-*-windows-x64.exe 2>/dev/null | head -n 1 || true)
    if [ -z "$instalador" ] || [ "$arvore/app/RelLicensaCliente.exe" -nt "$instalador" ]; then
        cpack -G NSIS -C Release --config "$arvore/CPackConfig.cmake" >"$TRABALHO/cpack.log" 2>&1 ||
            falhar "cpack could not make the installer: $(tail -n 20 "$TRABALHO/cpack.log")"
        instalador=$(ls -t "$arvore"/pacotes/RelLicensaCliente-*-windows-x64.exe | head -n 1)
    fi
    wine "$instalador" /S || falhar "the installer ended with status $?"
    [ -d "$pasta" ] || falhar "the installer made no $pasta"

    cmake --install "$arvore" --prefix "$TRABALHO/referencia" >/dev/null
    esperado=$( (cd "$TRABALHO/referencia" && find . -type f && echo ./Uninstall.exe) | sort)
    afirmar_igual "$(cd "$pasta" && find . -type f | sort)" "$esperado" "files installed"
    registrado || falhar "the program is not registered for removal ($registro)"

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
    # The uninstaller copies itself to a temporary folder and goes on from there, so its end is
    # the folder's removal.
    wine "$pasta/Uninstall.exe" /S
    esperar_que '[ ! -e "$pasta" ]' ||
        falhar "the uninstaller left $(cd "$pasta" && find . | tr '\n' ' ')"
    ! registrado || falhar "the uninstaller left the registration $registro"
    ;;
*)
    falhar "usage: e2e_instalador_windows.sh instalar|desinstalar <Windows build tree>"
    ;;
esac
