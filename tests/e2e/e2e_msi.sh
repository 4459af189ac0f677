#!/usr/bin/env bash
# The MSI under Wine, as a deployment tool uses it, silently and per machine: `msiexec /i … /qn`
# puts exactly the program's files into C:\Program Files\RelLicensaCliente and one entry into
# Add/Remove Programs, under the project's version and with the program's icon; the program runs
# from there and connects; `msiexec /x … /qn` leaves no file, no folder and no registration.
source "$(dirname "$0")/comum.sh"
source "$(dirname "$0")/instaladores_windows.sh"
iniciar_tela
iniciar_servidor

instalar_pacote msi "$PACOTE" || falhar "msiexec /i ended with status $?"
afirmar_igual "$(arquivos_em "$PASTA_PADRAO")" "$(arquivos_em "$PASTA_DO_PACOTE")" "files installed"
afirmar_igual "$(registrado DisplayVersion)" "$VERSAO" "versions in Add/Remove Programs"
# Add/Remove Programs shows the icon that Windows Installer keeps for the product.
icone=$(wine reg query 'HKLM\Software\Classes\Installer\Products' /s 2>/dev/null | tr -d '\r' |
    sed -n 's/^ *ProductIcon *REG_[A-Z_]* *//p')
[[ $icone == *RelLicensaCliente.ico ]] || falhar "the product has no icon of the program: [$icone]"

PROGRAMA="$PASTA_PADRAO/RelLicensaCliente.exe"
iniciar_conectado
fechar_e_conferir

remover_instalacao msi "$PASTA_PADRAO" "$PACOTE"
! wine reg query 'HKLM\Software\RelLicensaCliente' >/dev/null 2>&1 ||
    falhar "the removal left HKLM\\Software\\RelLicensaCliente"
