#!/usr/bin/env bash
# scripts/servidor_pg.sh stop removes only a folder that its own start made: a folder of
# someone else's, given by mistake, keeps everything in it; the script's own folder goes.
source "$(dirname "$0")/comum.sh"
alheia="$TRABALHO/documentos"
mkdir "$alheia"
echo "importante" >"$alheia/carta.txt"
bash "$RAIZ/scripts/servidor_pg.sh" stop "$alheia" 2>"$TRABALHO/aviso"
afirmar_igual "$(cat "$alheia/carta.txt" 2>/dev/null)" importante "the other folder's file"
grep -q "was not made by this script" "$TRABALHO/aviso" || falhar "stop did not say why it left the folder"

iniciar_servidor
bash "$RAIZ/scripts/servidor_pg.sh" stop "$PASTA_PG"
[ ! -e "$PASTA_PG" ] || falhar "stop left the script's own folder"
