#!/usr/bin/env bash
# Builds the Windows program with MinGW-w64 against the Qt and libpq that
# scripts/windows_bibliotecas.sh builds from Debian's sources (once per machine), and leaves:
#   build-windows/instalado/       the program's folder: RelLicensaCliente.exe, DLL\lib\ (libpq.dll
#                                  with the OpenSSL DLLs it needs), jasperviewer.jar, relatorios\
#   build-windows/pacotes/         the same folder as a zip, and its installers (NSIS and MSI),
#                                  signed when LANCADOR_CERTIFICADO names the site's certificate
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
# With the site's certificate in the environment, the program's exe and DLLs are signed (and the
# installers, by instaladores.py); see the README.
python3 scripts/assinar.py build-windows/instalado/*.exe build-windows/instalado/DLL/lib/*.dll
versao=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' build-windows/CMakeCache.txt)
nome="RelLicensaCliente-$versao-windows-x64"
rm -rf build-windows/zip && mkdir -p build-windows/zip build-windows/pacotes
cp -a build-windows/instalado "build-windows/zip/$nome"
rm -f "build-windows/pacotes/$nome.zip"
(cd build-windows/zip && cmake -E tar cf "../pacotes/$nome.zip" --format=zip "$nome")
cmake --build build-windows --target instaladores >/dev/null
echo "Windows program: build-windows/instalado/RelLicensaCliente.exe"
echo "Packages: $(ls build-windows/pacotes/*.{zip,exe,msi} | tr '\n' ' ')"

if [ "${1:-}" = --testes ]; then
    ctest --test-dir build-windows --output-on-failure
fi
