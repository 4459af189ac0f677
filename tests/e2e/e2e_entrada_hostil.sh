#!/usr/bin/env bash
# Input the program does not control, none of which may crash it, run anything or leak the
# password:
# - installed in a folder whose name holds blanks, quotes, ; & | $( ) backquotes and non-ASCII
#   letters, started with a login, a database and a password (quote, backslash, backquote,
#   blank, tab) outside ASCII, and a login argument full of control characters and invalid UTF-8:
#   the server sees exactly that user and database, the viewer gets exactly its words, no piece
#   of the folder name runs as a command, and neither the launched processes' command lines and
#   environment nor any file under a fresh HOME, XDG folders, TMPDIR or working folder holds the
#   password;
# - arguments of about 1 MB in all, once with values that still connect and once with values
#   that do not: both end in the window, and the second shows the connection error without the
#   password.
source "$(dirname "$0")/comum.sh"
export LC_ALL=C.UTF-8 # the viewer's runtime reads non-ASCII words in the user's locale
iniciar_tela

SENHA_JOAO=$'a\'b\\c`d e\tf'
GRANDE=130000 # Linux takes at most 128 KiB for one argument
repetir() { head -c "$2" /dev/zero | tr '\0' "$1"; }
SENHA_GRANDE="Marca-$(repetir s $((GRANDE - 6)))"
PASTA_PG="$TRABALHO/pg"
PORTA=$(bash "$RAIZ/scripts/servidor_pg.sh" start "$PASTA_PG" --papel João "$SENHA_JOAO" \
    --papel grande "$SENHA_GRANDE" --banco relatórios João --banco empresa --vigiar $$)
export LANCADOR_VISOR_REGISTRO="$TRABALHO/visor" JAVA_TOOL_OPTIONS="-Djava.awt.headless=true"

LOGIN_HOSTIL=$'\x01\x02\t\x1b[31m\xff\xfe\xc3(\x7f\x1f fim'

# Starts the program $2 in the working folder $1 with the arguments that follow, through the
# command in PREFIXO (if any); sets PID_PROGRAMA.
iniciar_em() {
    local trabalho=$1 programa=$2
    shift 2
    rm -f "$LANCADOR_VISOR_REGISTRO"
    (cd "$trabalho" && exec "${PREFIXO[@]}" "$programa" "$@") >"$TRABALHO/saida" 2>&1 &
    PID_PROGRAMA=$!
}

palavras_esperadas() {
    local de=$2 ate=$3
    printf '%s\n' Marvoss "$1/relatorios/mv_relacao_licensa_cliente" VIS N \
        "P_DTDE=$de" "P_DTATE=$ate" "P_DTDE2=$de" "P_DTATE2=$ate" P_CBQD=N P_CBQD2=N P_ORDEM=0
}

# --- An installation in a hostile folder, with non-ASCII credentials --------------------------
echo "run: pasta hostil"
NOME_DA_PASTA="Relação 'simples' \"duplas\" ;touch canario1 &touch canario2 |touch canario3 \$(touch canario4) \`touch canario5\` && touch canario6"
PASTA="$TRABALHO/$NOME_DA_PASTA"
cp -a "$(dirname "$PROGRAMA")" "$PASTA"

# Fresh folders for everything the program might write to.
LIMPAS=(home config cache dados estado execucao tmp trabalho)
for limpa in "${LIMPAS[@]}"; do mkdir -m 700 "$TRABALHO/$limpa"; done
# A "java" first on the search path records the command lines and the environment of the
# processes the launch started, then runs the real Java runtime.
mkdir "$TRABALHO/bin"
cat >"$TRABALHO/bin/java" <<EOF
#!/bin/sh
{
    tr '\0' '\n' </proc/\$\$/cmdline
    tr '\0' '\n' </proc/\$PPID/cmdline
    tr '\0' '\n' </proc/\$\$/environ
} >"$TRABALHO/processos"
exec "$(command -v java)" "\$@"
EOF
chmod 755 "$TRABALHO/bin/java"

PREFIXO=(env HOME="$TRABALHO/home" XDG_CONFIG_HOME="$TRABALHO/config"
    XDG_CACHE_HOME="$TRABALHO/cache" XDG_DATA_HOME="$TRABALHO/dados"
    XDG_STATE_HOME="$TRABALHO/estado" XDG_RUNTIME_DIR="$TRABALHO/execucao"
    TMPDIR="$TRABALHO/tmp" PATH="$TRABALHO/bin:$PATH")
iniciar_em "$TRABALHO/trabalho" "$PASTA/RelLicensaCliente" \
    127.0.0.1 "$PORTA" João "$SENHA_JOAO" relatórios 12 34 "$LOGIN_HOSTIL"
janela=$(esperar_janela "Relação de Licensa Clientes")
afirmar_igual "$(sessao)" "João|relatórios" "user and database the server sees"
teclar "$janela" alt+i
esperar_arquivo "$LANCADOR_VISOR_REGISTRO"
afirmar_igual "$(cat "$LANCADOR_VISOR_REGISTRO")" \
    "$(palavras_esperadas "$PASTA" "$(date +%Y-%m-01)" "$(date +%F)")" "words received by the viewer"
fechar_programa "$janela"
afirmar_igual "$STATUS_PROGRAMA" 0 "exit code"
sem_sessao

canarios=$(find "$TRABALHO" -name 'canario*' -not -path "$PASTA*" -printf '%P\n')
[ -z "$canarios" ] || falhar "a piece of the folder name ran as a command: $canarios"
[ -z "$(ls -A "$TRABALHO/trabalho")" ] || falhar "the working folder was written to"
grep -q "jasperviewer.jar" "$TRABALHO/processos" || falhar "the launch was not seen"
! grep -qF "$SENHA_JOAO" "$TRABALHO/processos" ||
    falhar "the password is in a launched process's command line or environment"
for limpa in "${LIMPAS[@]}"; do
    if grep -rlF "$SENHA_JOAO" "$TRABALHO/$limpa"; then falhar "a file holds the password"; fi
done
! grep -qF "$SENHA_JOAO" "$TRABALHO/saida" || falhar "the program's output holds the password"
echo "written under the fresh folders:"
(cd "$TRABALHO" && find "${LIMPAS[@]}" -mindepth 1)

# --- About 1 MB of arguments that still connect ------------------------------------------------
# Leading zeros are allowed in the port and the codes; the login is stored and not checked.
echo "run: 1 MB que conecta"
PREFIXO=()
iniciar_em "$TRABALHO/trabalho" "$PROGRAMA" 127.0.0.1 "$(repetir 0 $GRANDE)$PORTA" grande \
    "$SENHA_GRANDE" empresa "$(repetir 0 $GRANDE)12" "-$(repetir 0 $GRANDE)34" \
    "$(repetir $'\x01' $GRANDE)$LOGIN_HOSTIL"
janela=$(esperar_janela "Relação de Licensa Clientes")
afirmar_igual "$(sessao)" "grande|empresa" "user and database the server sees"
teclar "$janela" alt+i
esperar_arquivo "$LANCADOR_VISOR_REGISTRO"
afirmar_igual "$(cat "$LANCADOR_VISOR_REGISTRO")" \
    "$(palavras_esperadas "$(dirname "$PROGRAMA")" "$(date +%Y-%m-01)" "$(date +%F)")" \
    "words received by the viewer"
fechar_programa "$janela"
afirmar_igual "$STATUS_PROGRAMA" 0 "exit code"
sem_sessao

# --- About 1 MB of arguments that do not connect -------------------------------------------------
# A host name of 128 KiB with control characters and invalid UTF-8 in it; in a network namespace
# of its own, so that no name query leaves the machine.
echo "run: 1 MB que nao conecta"
PREFIXO=("${UNSHARE[@]}" --net)
iniciar_em "$TRABALHO/trabalho" "$PROGRAMA" "$(repetir h $GRANDE)$LOGIN_HOSTIL" \
    "$(repetir 0 $GRANDE)1" "$(repetir u $GRANDE)" "$SENHA_GRANDE" "$(repetir d $GRANDE)" \
    "$(repetir 0 $GRANDE)12" "$(repetir 0 $GRANDE)34" "$(repetir $'\t' $GRANDE)$LOGIN_HOSTIL"
caixa=$(esperar_janela "Rellicensacliente")
texto=$(texto_da_caixa "$caixa" | sed -n 4p)
inicio='[Conexao][Phys][PG][libpq] could not translate host name "hhhhh'
[ "${texto#"$inicio"}" != "$texto" ] || falhar "connection error box: ${texto:0:200}"
case $texto in *Marca-s*) falhar "the error box shows the password" ;; esac
teclar "$caixa" Return
janela=$(esperar_janela "Relação de Licensa Clientes")
teclar "$janela" alt+i
esperar_arquivo "$LANCADOR_VISOR_REGISTRO"
afirmar_igual "$(cat "$LANCADOR_VISOR_REGISTRO")" \
    "$(palavras_esperadas "$(dirname "$PROGRAMA")" 2018-01-12 2018-01-12)" \
    "words received by the viewer"
fechar_programa "$janela"
afirmar_igual "$STATUS_PROGRAMA" 0 "exit code"
