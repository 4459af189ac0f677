#!/usr/bin/env bash
# Signing with the site's certificate, under Wine: with a self-signed code-signing certificate
# made here (a PKCS#12 file and its password in the environment, as the README tells a site),
# the installers are made from the program's folder; the program's exe and DLLs, the MSI's custom
# action, both installers and the uninstaller that the NSIS installer puts in place each pass
# `osslsigncode verify` against the certificate, and the signed program runs. The password never
# appears on a command line while the packages are made.
source "$(dirname "$0")/comum.sh"
source "$(dirname "$0")/instaladores_windows.sh"
iniciar_tela

# The certificate, valid for code signing, and its PKCS#12 file.
export LANCADOR_CERTIFICADO_SENHA="senha do teste $$"
openssl req -x509 -newkey rsa:2048 -nodes -days 2 -subj "/CN=RelLicensaCliente teste" \
    -addext "extendedKeyUsage=codeSigning" -keyout "$TRABALHO/chave.pem" \
    -out "$TRABALHO/certificado.pem" 2>/dev/null || falhar "openssl could not make a certificate"
openssl pkcs12 -export -inkey "$TRABALHO/chave.pem" -in "$TRABALHO/certificado.pem" \
    -out "$TRABALHO/certificado.pfx" -passout env:LANCADOR_CERTIFICADO_SENHA ||
    falhar "openssl could not make the PKCS#12 file"
export LANCADOR_CERTIFICADO="$TRABALHO/certificado.pfx"

assinado() { # <file>
    osslsigncode verify -CAfile "$TRABALHO/certificado.pem" -in "$1" >"$TRABALHO/verificacao" 2>&1 ||
        falhar "$(basename "$1") is not signed with the certificate: $(tail -n 5 "$TRABALHO/verificacao")"
}

# The packages made with the certificate, from a folder laid out as the build lays it out, while
# a watcher keeps every command line seen on the machine.
programa="$TRABALHO/programa"
cmake --install "$ARVORE" --prefix "$programa" --strip >/dev/null
(while :; do
    cat /proc/[0-9]*/cmdline 2>/dev/null | tr '\0' ' ' || true # processes come and go meanwhile
    sleep 0.05
done) >"$TRABALHO/linhas" 2>/dev/null &
VIGIA=$!
fazer_pacotes "$VERSAO" "$programa" "$TRABALHO/pacotes" || falhar "the packages were not made"
kill "$VIGIA"
! grep -qF "$LANCADOR_CERTIFICADO_SENHA" "$TRABALHO/linhas" ||
    falhar "the certificate's password appeared on a command line"
pacote="$TRABALHO/pacotes/RelLicensaCliente-$VERSAO-windows-x64"

for arquivo in "$programa/RelLicensaCliente.exe" "$programa"/DLL/lib/*.dll "$pacote.exe" \
    "$pacote.msi"; do
    assinado "$arquivo"
done
msiinfo extract "$pacote.msi" Binary.AcaoMsi >"$TRABALHO/acao_msi.dll" ||
    falhar "the MSI holds no custom action"
assinado "$TRABALHO/acao_msi.dll"

# Installed, the uninstaller is signed and the program runs (without arguments: its start-up error
# box shows it started).
instalar_pacote nsis "$pacote" || falhar "the signed installer ended with status $?"
assinado "$PASTA_PADRAO/Uninstall.exe"
assinado "$PASTA_PADRAO/RelLicensaCliente.exe"
PROGRAMA="$PASTA_PADRAO/RelLicensaCliente.exe"
iniciar_programa
teclar "$(esperar_janela Rellicensacliente)" Return
fechar_programa "$(esperar_janela "Relação de Licensa Clientes")"
remover_instalacao nsis "$PASTA_PADRAO"
