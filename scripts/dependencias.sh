#!/usr/bin/env bash
# Installs the Debian packages the launcher needs, by purpose:
#   dependencias.sh programa    building and running the program (./run.sh)
#   dependencias.sh             the same, and what the tests, the sanitizers and fuzzing need
#   dependencias.sh windows     all of that, and what builds the Windows program and tests it
#                               under Wine
# Idempotent: installs only what is missing. Needs root (or sudo) when something is missing.
# PostgreSQL's server binaries (for the demo and test servers the scripts start on their own)
# come without the system database cluster that Debian's package would otherwise create.
set -euo pipefail
proposito=${1:-testes}

# The program: its build (Qt, the client library, a JDK for the stand-in viewer), what it needs
# while it runs (Java, the fonts it is laid out for, libpq) and the demo server and display of
# ./run.sh.
pacotes=(
    cmake ninja-build g++ qt6-base-dev qt6-base-dev-tools libgl-dev
    libpq5 postgresql openjdk-17-jdk fonts-liberation
    xvfb xauth
)
if [ "$proposito" != programa ]; then
    pacotes+=(
        clang-format clang libclang-rt-14-dev libgtest-dev libpq-dev
        xdotool xclip x11-utils libx11-dev locales
        at-spi2-core python3-pyatspi dbus-daemon orca speech-dispatcher lintian
    )
fi
if [ "$proposito" = windows ]; then
    # dpkg-dev for apt-get source; perl, bison and flex for Qt's and PostgreSQL's builds; the
    # 32-bit compiler for a test library of the wrong architecture; NSIS, wixl and Python for
    # the installers; osslsigncode to sign them, msitools to look inside the MSI.
    pacotes+=(
        g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix gcc-mingw-w64-i686-posix dpkg-dev
        perl bison flex nsis wixl python3 zip wine wine64 fonts-wine x11-apps netpbm
        osslsigncode msitools
    )
fi

faltam=()
for pacote in "${pacotes[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$pacote" 2>/dev/null | grep -q "install ok installed"; then
        faltam+=("$pacote")
    fi
done

if [ "$(id -u)" -eq 0 ]; then
    sudo=()
elif command -v sudo >/dev/null 2>&1; then
    sudo=(sudo)
else
    sudo=(falta_root)
fi
# Stands in for sudo where there is none: says what needed root, and stops.
falta_root() {
    echo "dependencias.sh: needs root rights (or sudo) to run: $*" >&2
    [ ${#faltam[@]} -eq 0 ] || echo "As root, run: apt-get install ${faltam[*]}" >&2
    exit 1
}

# The end-to-end tests type dates in the users' locale and in others: American English, German,
# Hungarian (year first) and Persian (its own digits).
gerar_localidades() {
    [ "$proposito" != programa ] || return 0
    local faltando=0 localidade localidades="pt_BR en_US de_DE hu_HU fa_IR"
    for localidade in $localidades; do
        locale -a 2>/dev/null | grep -qi "^$localidade\(\.utf-\?8\)\?$" || faltando=1
    done
    [ $faltando = 1 ] || return 0
    "${sudo[@]}" sed -i -E "s/^# *((${localidades// /|})(\\.UTF-8)? UTF-8)$/\\1/" /etc/locale.gen
    "${sudo[@]}" locale-gen >/dev/null
}

if [ ${#faltam[@]} -eq 0 ]; then
    gerar_localidades
    exit 0
fi

echo "Installing: ${faltam[*]}"
if [[ " ${faltam[*]} " == *" postgresql "* ]]; then
    "${sudo[@]}" mkdir -p /etc/postgresql-common/createcluster.d
    echo "create_main_cluster = false" |
        "${sudo[@]}" tee /etc/postgresql-common/createcluster.d/sem-cluster-principal.conf >/dev/null
fi
"${sudo[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${faltam[@]}"
gerar_localidades
