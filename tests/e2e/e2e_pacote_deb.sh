#!/usr/bin/env bash
# The Debian package as an administrator uses it: Debian's lintian finds nothing in it but the
# placement under /opt (one folder, as on Windows, on purpose); `apt-get install ./<package>.deb`
# puts the program under /opt/RelLicensaCliente, the installed program connects, prints and
# closes, and removing the package leaves nothing behind. Needs root; elsewhere, or where the package is
# already installed (someone's own installation), it says why and is skipped.
#   e2e_pacote_deb.sh <build tree>
source "$(dirname "$0")/comum.sh"
arvore=$(cd "$1" && pwd)
pasta=/opt/RelLicensaCliente
if [ "$(id -u)" -ne 0 ]; then
    echo "skipped: installing a package needs root"
    exit 77
fi
if dpkg-query -W -f='${Status}' rellicensacliente 2>/dev/null | grep -q "install ok installed"; then
    echo "skipped: rellicensacliente is already installed on this machine"
    exit 77
fi

cpack -G DEB --config "$arvore/CPackConfig.cmake" >"$TRABALHO/cpack.log" 2>&1 ||
    falhar "cpack could not make the package: $(tail -n 20 "$TRABALHO/cpack.log")"
pacote=$(ls -t "$arvore"/pacotes/rellicensacliente_*.deb | head -n 1)
queixas=$(lintian "$pacote" 2>&1 | grep -E '^[EW]: ' |
    grep -vE ': (dir-or-file-in-opt|jar-not-in-usr-share) ' || true)
[ -z "$queixas" ] || falhar "lintian finds in the package: $queixas"
remover() { DEBIAN_FRONTEND=noninteractive apt-get purge -y -qq rellicensacliente >/dev/null 2>&1; }
trap 'remover || true; encerrar' EXIT
DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "$pacote" >"$TRABALHO/apt.log" 2>&1 ||
    falhar "apt-get could not install the package: $(tail -n 20 "$TRABALHO/apt.log")"
[ -x "$pasta/RelLicensaCliente" ] || falhar "the package put no program into $pasta"

PROGRAMA="$pasta/RelLicensaCliente"
iniciar_tela
iniciar_servidor
iniciar_conectado
teclar "$JANELA" alt+i
esperar_arquivo "$LANCADOR_VISOR_REGISTRO"
afirmar_igual "$(sed -n 2p "$LANCADOR_VISOR_REGISTRO")" "$pasta/relatorios/mv_relacao_licensa_cliente" \
    "report path received by the viewer"
fechar_e_conferir

remover || falhar "apt-get could not remove the package"
[ ! -e "$pasta" ] || falhar "removing the package left $(find "$pasta" | tr '\n' ' ')"
