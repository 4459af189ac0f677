#!/usr/bin/env bash
# Builds the Windows program with MinGW-w64 against the Qt and libpq that
# scripts/windows_bibliotecas.sh builds from Debian's sources (once per machine), and leaves:
#   build-windows/instalado/       the program's folder: RelLicensaCliente.exe, DLL\lib\ (libpq.dll
#                                  with the OpenSSL DLLs it needs), jasperviewer.jar, relatorios\
#   build-windows/pacotes/         the same folder as a zip, and its installers (NSIS and MSI)
# With --testes it then runs the Windows tests, under Wine.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/dependencias.sh windows
eval "$(bash scripts/windows_bibliotecas.sh | tail -n 1)"

cmake -S . -B build-windows -G Ninja -DCMAKE_BUILD_TYPE=Release -DLANCADOR_WERROR=ON \
    -DCMAKE_TOOLCHAIN_FILE="$QT_WINDOWS/lib/cmake/Qt6/qt.toolchain.cmake" \
    -DLANCADOR_LIBPQ="$LIBPQ_WINDOWS/libpq.dll" \
    -DLANCADOR_LIBPQ_DEPENDENCIAS="$LIBPQ_WINDOWS/libssl-3-x64.dll;$LIBPQ_WINDOWS/libcrypto-3-x64.dll" \
    >/dev/null
cmake --build build-windows
rm -rf build-windows/instalado
cmake --install build-windows --prefix build-windows/instalado --strip >/dev/null
(cd build-windows && cpack -C Release >/dev/null)
cmake --build build-windows --target instaladores >/dev/null
echo "Windows program: build-windows/instalado/RelLicensaCliente.exe"
echo "Packages: $(ls build-windows/pacotes/*.{zip,exe,msi} | tr '\n' ' ')"

if [ "${1:-}" = --testes ]; then
    ctest --test-dir build-windows --output-on-failure
fi
