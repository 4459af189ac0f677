#!/usr/bin/env bash
# The Wine prefix of a test run, for the Windows program's end-to-end tests:
#   wine_prefixo.sh criar <folder>       creates it (about 15 s) with the fonts the window needs
#   wine_prefixo.sh encerrar <folder>    ends every Wine process of it
set -euo pipefail
acao=$1
export WINEPREFIX=$2 WINEDEBUG=-all

case "$acao" in
criar)
    rm -rf "$WINEPREFIX"
    # Wine would offer to download its .NET and browser engines: neither is needed.
    WINEDLLOVERRIDES="mscoree,mshtml=" wineboot --init >/dev/null 2>&1
    # Wine has Tahoma and MS Sans Serif of its own, but not Segoe UI, the window's default font:
    # a sans serif face of similar metrics stands in for it in every Windows program of the prefix.
    wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v 'Segoe UI' /t REG_SZ \
        /d 'Liberation Sans' /f >/dev/null 2>&1
    wineserver -w
    ;;
encerrar)
    wineserver -k 2>/dev/null || true
    wineserver -w 2>/dev/null || true
    ;;
*)
    echo "usage: wine_prefixo.sh criar|encerrar <folder>" >&2
    exit 2
    ;;
esac
