# Shared steps of the tests of the Windows installers (NSIS and MSI) under Wine, sourced after
# comum.sh. Expects ARVORE (the Windows build tree), VERSAO (the project's version), ACAO_MSI
# (the MSI's custom action) and INICIAR_COM_LINHA in the environment.
PASTA_PADRAO="$WINEPREFIX/drive_c/Program Files/RelLicensaCliente"
# The folder the packages are made of, and this version's packages, without their extension.
PASTA_DO_PACOTE="$ARVORE/instaladores/RelLicensaCliente"
PACOTE="$ARVORE/pacotes/RelLicensaCliente-$VERSAO-windows-x64"
REGISTRO_REMOCAO='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall'
MSIEXEC="$WINEPREFIX/drive_c/windows/system32/msiexec.exe"

# The files under a folder, one relative path per line, sorted.
arquivos_em() { (cd "$1" && find . -type f | sort); }

# A value (DisplayVersion, InstallLocation...) of each of the program's entries in Add/Remove
# Programs, one line per entry.
registrado() { # <value name>
    wine reg query "$REGISTRO_REMOCAO" /s 2>/dev/null | tr -d '\r' | awk -v nome="$1" '
        /^HKEY_/ { if (nosso) print valor; nosso = 0; valor = "" }
        /^ +DisplayName .*Licensa Clientes/ { nosso = 1 }
        $1 == nome { sub(/^ +[^ ]+ +REG_[A-Z_]+ +/, ""); valor = $0 }
        END { if (nosso) print valor }'
}

# Makes the packages of another version from a folder: <version> <program folder> <output>.
fazer_pacotes() {
    /usr/bin/python3 "$RAIZ/instaladores/windows/instaladores.py" "$2" "$1" "$ACAO_MSI" "$3" >/dev/null
}

# Runs a Windows program with exactly this raw command line and waits for it: its exit code.
executar_linha() { # <program (a path of this machine)> <command line>
    LANCADOR_LINHA_BRUTA=$2 wine "$INICIAR_COM_LINHA" "$(caminho_visto "$1")" >/dev/null 2>&1
}

# Installs a package silently (nsis or msi; the path without the extension), into the folder
# given or the one the package chooses; returns the installer's exit code.
instalar_pacote() { # <kind> <package> [folder]
    local pasta=${3:+$(caminho_visto "$3")}
    case $1 in
    nsis) executar_linha "$2.exe" "instalador /S${pasta:+ /D=$pasta}" ;;
    msi) executar_linha "$MSIEXEC" "msiexec /i \"$(caminho_visto "$2.msi")\" /qn${pasta:+ INSTALLDIR=\"$pasta\"}" ;;
    esac
}

# Removes the installation in the folder silently, and checks that neither the folder nor an
# entry in Add/Remove Programs is left.
remover_instalacao() { # <kind> <folder> <package>
    local pasta_removida=$2
    case $1 in
    nsis)
        # The uninstaller copies itself to a temporary folder and goes on from there, so its end
        # is the folder's removal.
        wine "$2/Uninstall.exe" /S
        ;;
    msi)
        executar_linha "$MSIEXEC" "msiexec /x \"$(caminho_visto "$3.msi")\" /qn" ||
            falhar "msi: the removal ended with status $?"
        ;;
    esac
    esperar_que '[ ! -e "$pasta_removida" ]' ||
        falhar "$1: the removal left $(cd "$2" && find . | tr '\n' ' ')"
    afirmar_igual "$(registrado DisplayVersion)" "" "$1: entries in Add/Remove Programs after the removal"
}

