#!/usr/bin/env bash
# Builds the libraries that the Windows program needs and Debian does not ship for MinGW: a
# static Qt (qtbase: Core, Gui, Widgets, the Windows platform plugin), OpenSSL's two DLLs and
# libpq.dll built with them, so that the program can speak TLS to the server. All are built from
# Debian's own source packages, at the versions of the host's qt6-base-dev, libssl3 and libpq5,
# with the toolchain file cmake/mingw-w64.cmake for Qt.
#
# They go into a cache outside the work tree (LANCADOR_CACHE, by default ~/.cache/lancador),
# in folders named by version and build options, and are reused when present: only the first
# build on a machine pays (about 26 minutes for Qt, 4 for OpenSSL and 5 for libpq on 2 cores).
#
# Prints, on its last line, the cache folders as shell assignments:
#   QT_WINDOWS=<Qt prefix> LIBPQ_WINDOWS=<folder holding libpq.dll and the OpenSSL DLLs it needs>
set -euo pipefail
raiz="$(cd "$(dirname "$0")/.." && pwd)"
cache="${LANCADOR_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/lancador}"
mkdir -p "$cache"

# Progress goes to standard error, so that the last line of standard output is the result.
informar() { echo "[windows_bibliotecas $(date +%H:%M:%S)] $*" >&2; }
falhar() {
    echo "windows_bibliotecas: $*" >&2
    exit 1
}

como_root() {
    if [ "$(id -u)" -eq 0 ]; then
        "$@"
    elif command -v sudo >/dev/null 2>&1; then
        sudo "$@"
    else
        falhar "needs root rights for: $*"
    fi
}

# Runs a long step with its output in a log file; prints the log's last line once a minute and
# the last 40 lines if the step fails.
passo() {
    local titulo="$1" log="$2"
    shift 2
    informar "$titulo (log: $log)"
    "$@" >"$log" 2>&1 &
    local pid=$! inicio=$SECONDS
    while kill -0 "$pid" 2>/dev/null; do
        for _ in $(seq 60); do
            kill -0 "$pid" 2>/dev/null || break
            sleep 1
        done
        kill -0 "$pid" 2>/dev/null &&
            informar "  $((SECONDS - inicio)) s: $(tail -n 1 "$log" | cut -c1-100)"
    done
    if ! wait "$pid"; then
        tail -n 40 "$log" >&2
        falhar "step failed: $titulo (whole log in $log)"
    fi
    informar "  done in $((SECONDS - inicio)) s"
}

# apt-get source needs a deb-src entry for the archive that the machine already uses.
garantir_fontes_debian() {
    apt-cache showsrc qt6-base 2>/dev/null | grep -q '^Package:' && return 0
    informar "adding deb-src entries for the machine's Debian archive"
    local destino=/etc/apt/sources.list.d/lancador-fontes
    if compgen -G "/etc/apt/sources.list.d/*.sources" >/dev/null; then
        cat /etc/apt/sources.list.d/*.sources | sed 's/^Types:.*/Types: deb-src/' |
            como_root tee "$destino.sources" >/dev/null
    fi
    if [ -f /etc/apt/sources.list ]; then
        sed -n 's/^deb /deb-src /p' /etc/apt/sources.list | como_root tee "$destino.list" >/dev/null
    fi
    como_root apt-get update -qq
    apt-cache showsrc qt6-base 2>/dev/null | grep -q '^Package:' ||
        falhar "apt-get source cannot find qt6-base even with the deb-src entries in $destino.*"
}

# The versions of source package $1 to try: the host's binary version $2 first, then the others
# that the archive lists, newest first (a security update's source may be missing on a mirror).
versoes_candidatas() {
    echo "$2"
    apt-cache showsrc "$1" | sed -n 's/^Version: //p' | sort -rV | grep -vxF "$2" || true
}

# Unpacks Debian's source package $1 at the first of the versions $3... that the archive serves,
# into folder $2 (emptied first). Prints the version unpacked.
baixar_fonte() {
    local pacote="$1" pasta="$2" versao
    shift 2
    for versao in "$@"; do
        rm -rf "$pasta" && mkdir -p "$pasta"
        if (cd "$pasta" && apt-get source -qq "$pacote=$versao" >/dev/null 2>&1); then
            echo "$versao"
            return 0
        fi
        informar "  the archive does not serve $pacote $versao, trying the next version"
    done
    falhar "apt-get source $pacote failed for every version: $*"
}

# Looks for a finished cache folder $1<version>$2 among the candidate versions $3...
no_cache() {
    local antes="$1" depois="$2" versao
    shift 2
    for versao in "$@"; do
        [ -f "$antes$versao$depois/.completo" ] && echo "$antes$versao$depois" && return 0
    done
    return 1
}

resumo() { sha256sum | cut -c1-12; }

# Finds library $1 (built from source package $2 at the version of binary package $3, with
# options summed up as $4) in the cache, or unpacks its source for a build. Sets `destino` to
# its cache folder and returns 0 when cached; otherwise sets `fonte` to the unpacked source
# folder, `trabalho` to the work folder (deleted by `concluir`) and returns 1.
preparar() {
    local nome="$1" pacote="$2" binario="$3" chave="$4" versao
    local -a versoes
    mapfile -t versoes < <(versoes_candidatas "$pacote" "$(dpkg-query -W -f='${Version}' "$binario")")
    if destino="$(no_cache "$cache/$nome-" "-mingw-$chave" "${versoes[@]}")"; then
        informar "$nome for Windows: cached in $destino"
        return 0
    fi
    trabalho="$cache/construindo-$nome"
    versao="$(baixar_fonte "$pacote" "$trabalho" "${versoes[@]}")" || exit 1
    fonte="$(find "$trabalho" -mindepth 1 -maxdepth 1 -type d | head -n 1)"
    destino="$cache/$nome-$versao-mingw-$chave"
    informar "$nome $versao for Windows: building into $destino"
    rm -rf "$destino" && mkdir -p "$destino"
    return 1
}

concluir() {
    touch "$destino/.completo"
    rm -rf "$trabalho"
}

# OpenSSL's shared libraries, named as OpenSSL names them for 64-bit Windows
# (libssl-3-x64.dll, libcrypto-3-x64.dll), with their headers and import libraries. The folders
# compiled into them (configuration, engines, modules) are Windows paths: left alone they would
# be the build's own folder, which Windows reads as a folder on the current drive.
construir_openssl() {
    local opcoes="mingw64 --cross-compile-prefix=x86_64-w64-mingw32- --libdir=lib shared no-module
        no-tests"
    local pastas="OPENSSLDIR=C:/Windows/System32/OpenSSL ENGINESDIR=C:/Windows/System32/OpenSSL/engines
        MODULESDIR=C:/Windows/System32/OpenSSL/modules"
    if ! preparar openssl openssl libssl3 "$(echo "$opcoes $pastas" | resumo)"; then
        # shellcheck disable=SC2086
        passo "configuring OpenSSL" "$trabalho/configure.log" \
            env -C "$fonte" ./Configure $opcoes --prefix="$destino"
        # shellcheck disable=SC2086
        passo "building OpenSSL" "$trabalho/build.log" \
            make -C "$fonte" -j"$(nproc)" build_libs $pastas
        mkdir -p "$destino/lib" "$destino/include"
        cp "$fonte"/libssl-3-x64.dll "$fonte"/libcrypto-3-x64.dll "$destino/"
        cp "$fonte"/libssl.dll.a "$fonte"/libcrypto.dll.a "$destino/lib/"
        cp -r "$fonte/include/openssl" "$destino/include/"
        x86_64-w64-mingw32-strip "$destino"/*.dll
        concluir
    fi
    OPENSSL_WINDOWS="$destino"
}

# libpq.dll with TLS from the OpenSSL above; its folder holds the two OpenSSL DLLs beside it,
# as the program's DLL\lib does.
construir_libpq() {
    local opcoes="--host=x86_64-w64-mingw32 --without-readline --without-zlib --without-icu
        --with-ssl=openssl --without-lz4 --without-zstd --without-ldap --without-gssapi
        --disable-nls"
    local chave
    chave="$( (echo "$opcoes" && basename "$OPENSSL_WINDOWS") | resumo)"
    if ! preparar libpq postgresql-15 libpq5 "$chave"; then
        # shellcheck disable=SC2086
        passo "configuring PostgreSQL" "$trabalho/configure.log" env -C "$fonte" ./configure \
            $opcoes --with-includes="$OPENSSL_WINDOWS/include" \
            --with-libraries="$OPENSSL_WINDOWS/lib"
        passo "building libpq" "$trabalho/build.log" \
            make -C "$fonte/src/interfaces/libpq" -j"$(nproc)"
        cp "$fonte/src/interfaces/libpq/libpq.dll" "$destino/"
        x86_64-w64-mingw32-strip "$destino/libpq.dll"
        cp "$OPENSSL_WINDOWS"/*.dll "$destino/"
        concluir
    fi
    LIBPQ_WINDOWS="$destino"
}

construir_qt() {
    local opcoes="-xplatform win32-g++ -qt-host-path /usr -release -static -static-runtime
        -opengl no -nomake examples -nomake tests -no-feature-sql -no-feature-network
        -no-feature-testlib -no-feature-printsupport -no-feature-dbus -no-feature-concurrent
        -no-feature-tabletevent -no-pkg-config"
    local chave
    chave="$( (echo "$opcoes" && cat "$raiz/cmake/mingw-w64.cmake") | resumo)"
    if ! preparar qtbase qt6-base qt6-base-dev "$chave"; then
        # The installed qt.toolchain.cmake keeps the path of this file, so it lives in the prefix.
        cp "$raiz/cmake/mingw-w64.cmake" "$destino/mingw-w64.cmake"
        mkdir -p "$trabalho/build"
        # shellcheck disable=SC2086
        passo "configuring Qt" "$trabalho/configure.log" \
            env -C "$trabalho/build" "$fonte/configure" -prefix "$destino" $opcoes -- -G Ninja \
            -DCMAKE_TOOLCHAIN_FILE="$destino/mingw-w64.cmake" \
            -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake
        passo "building Qt" "$trabalho/build.log" cmake --build "$trabalho/build" --parallel
        passo "installing Qt" "$trabalho/install.log" cmake --install "$trabalho/build"
        concluir
    fi
    QT_WINDOWS="$destino"
}

garantir_fontes_debian
construir_openssl
construir_libpq
construir_qt
echo "QT_WINDOWS=$QT_WINDOWS LIBPQ_WINDOWS=$LIBPQ_WINDOWS"
