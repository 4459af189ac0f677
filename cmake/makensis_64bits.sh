#!/bin/sh
# makensis making a 64-bit installer, like the program (NSIS makes 32-bit ones by default and
# CPack cannot pass an argument with a blank). CPack also runs this to ask for the version.
case "$*" in
*.nsi) exec makensis "-XTarget amd64-unicode" "$@" ;;
*) exec makensis "$@" ;;
esac
