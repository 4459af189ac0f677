#!/usr/bin/env bash
# What the installed program does when its surroundings fail: a client library that is missing,
# not a library, not a regular file (a FIFO, a socket, a folder, a device), cut short, built for
# another processor or short of entry points; a server that refuses the login or lacks the
# database; a port that does not convert; a host name that does not resolve; a program folder
# that cannot be written to. (No Java runtime: e2e_sem_java.sh.)
# Each row gives its error box (or none), then the filter window opens, the print action starts
# the viewer and closing the window ends the program with exit code 0. No box and no output of
# the program holds the password.
# A server that is not running at all is the row of e2e_porta_fechada.sh.
source "$(dirname "$0")/comum.sh"
iniciar_tela
iniciar_servidor

SENHA=segredo
export LANCADOR_VISOR_REGISTRO="$TRABALHO/visor" JAVA_TOOL_OPTIONS="-Djava.awt.headless=true"
SENHA_ERRADA="Errada-d9F3"
HOJE=$(date +%F)
INICIO_DO_MES=$(date +%Y-%m-01)


# The first bytes of an ELF shared object for another processor than this one (64-bit ARM, or
# x86-64 on an ARM machine): the loader reads its header and refuses it. Prints that processor.
escrever_elf_de_outro_processador() {
    local maquina='\267' nome=aarch64
    [ "$(uname -m)" = aarch64 ] && maquina='\076' nome=x86_64
    {
        printf '\177ELF\002\001\001'
        head -c 9 /dev/zero
        printf "\\003\\000$maquina\\000\\001"
        head -c 4075 /dev/zero
    } >"$1"
    echo "$nome"
}

# One row: NOME, the box text expected (empty: no box; a text ending in "*" is a prefix), what
# the viewer gets ("padrao": the design-time dates, as after a failed start; "hoje": the default
# dates) and the program's arguments. Also read: PROGRAMA_DA_LINHA,
# PREFIXO (a command that starts the program, e.g. in a namespace) and AMBIENTE (variables for
# the program); all three are reset after the row.
verificar_linha() {
    local nome=$1 esperado=$2 datas=$3
    shift 3
    echo "row: $nome"
    rm -f "$LANCADOR_VISOR_REGISTRO"
    (
        exec env "${AMBIENTE[@]}" "${PREFIXO[@]}" "$PROGRAMA_DA_LINHA" "$@"
    ) >"$TRABALHO/saida" 2>&1 &
    PID_PROGRAMA=$!

    local caixa texto
    if [ -n "$esperado" ]; then
        caixa=$(esperar_janela "Rellicensacliente")
        texto=$(texto_da_caixa "$caixa")
        if [ "${esperado%\*}" != "$esperado" ]; then
            local inicio
            inicio=$(caixa_de_erro "${esperado%\*}" | head -n 4)
            [ "${texto#"$inicio"}" != "$texto" ] || falhar "$nome: box [$texto] does not begin with [$inicio]"
        else
            afirmar_igual "$texto" "$(caixa_de_erro "$esperado")" "$nome: error box"
        fi
        case $texto in *"$SENHA"* | *"$SENHA_ERRADA"*) falhar "$nome: the box shows the password" ;; esac
        teclar "$caixa" Return
    fi

    local janela
    janela=$(esperar_janela "Relação de Licensa Clientes")
    [ -z "$(xdotool search --onlyvisible --name '^Rellicensacliente$' 2>/dev/null || true)" ] ||
        falhar "$nome: an error box is on screen"
    teclar "$janela" alt+i

    local de=2018-01-12 ate=2018-01-12
    [ "$datas" = hoje ] && de=$INICIO_DO_MES ate=$HOJE
    esperar_arquivo "$LANCADOR_VISOR_REGISTRO"
    afirmar_igual "$(cat "$LANCADOR_VISOR_REGISTRO")" "$(printf '%s\n' Marvoss \
        "$(dirname "$PROGRAMA_DA_LINHA")/relatorios/mv_relacao_licensa_cliente" VIS N \
        "$(parametros_do_visor "$de" "$ate")")" "$nome: words received by the viewer"

    fechar_programa "$janela"
    afirmar_igual "$STATUS_PROGRAMA" 0 "$nome: exit code"
    ! grep -qF -e "$SENHA" -e "$SENHA_ERRADA" "$TRABALHO/saida" ||
        falhar "$nome: the program's output holds the password"
    PROGRAMA_DA_LINHA=$PROGRAMA PREFIXO=() AMBIENTE=()
}

PROGRAMA_DA_LINHA=$PROGRAMA PREFIXO=() AMBIENTE=()
CONEXAO=(127.0.0.1 "$PORTA" relatorio "$SENHA" empresa 12 34 joao)
DICA="Hint: check it is in the PATH or application EXE directories, and has $(uname -m) bitness."
NAO_ABRE="cannot open shared object file: No such file or directory"
erro_de_carga() {
    printf '%s\n' "[Conexao][Phys][PG]-314. Cannot load vendor library [$1]. $2" "$DICA"
}

PROGRAMA_DA_LINHA=$(copiar_instalacao sem-biblioteca)
lib="$(dirname "$PROGRAMA_DA_LINHA")/DLL/lib/libpq.so.5"
rm "$lib"
verificar_linha "biblioteca ausente" "$(erro_de_carga "$lib" "$lib: $NAO_ABRE")" padrao "${CONEXAO[@]}"

PROGRAMA_DA_LINHA=$(copiar_instalacao nao-biblioteca)
lib="$(dirname "$PROGRAMA_DA_LINHA")/DLL/lib/libpq.so.5"
rm "$lib"
head -c 1000 /dev/zero | tr '\0' '#' >"$lib" # longer than an ELF header, and not one
verificar_linha "arquivo que nao e biblioteca" "$(erro_de_carga "$lib" "$lib: invalid ELF header")" \
    padrao "${CONEXAO[@]}"

# Files that are not regular ones in the library's place, refused unread: the loader would open a
# FIFO for reading and wait for a writer for good.
criar_nao_regular() { # <kind, as the box names it> <path>
    case $1 in
    "a FIFO") mkfifo "$2" ;;
    "a socket") python3 -c 'import socket, sys; socket.socket(socket.AF_UNIX).bind(sys.argv[1])' "$2" ;;
    "a directory") mkdir "$2" ;;
    "a character device") ln -s /dev/zero "$2" ;;
    esac
}
for tipo in "a FIFO" "a socket" "a directory" "a character device"; do
    PROGRAMA_DA_LINHA=$(copiar_instalacao "nao-regular-${tipo// /-}")
    lib="$(dirname "$PROGRAMA_DA_LINHA")/DLL/lib/libpq.so.5"
    rm "$lib"
    criar_nao_regular "$tipo" "$lib"
    verificar_linha "biblioteca que e $tipo" "$(erro_de_carga "$lib" "$lib: not a regular file, but $tipo")" \
        padrao "${CONEXAO[@]}"
done

# A copy of the real library cut short, as an interrupted update or a full disk leaves it.
PROGRAMA_DA_LINHA=$(copiar_instalacao truncada)
lib="$(dirname "$PROGRAMA_DA_LINHA")/DLL/lib/libpq.so.5"
original=$(readlink -f "$lib")
rm "$lib"
head -c 30000 "$original" >"$lib"
verificar_linha "biblioteca truncada" "$(erro_de_carga "$lib" "$lib: file too short")" padrao \
    "${CONEXAO[@]}"

PROGRAMA_DA_LINHA=$(copiar_instalacao outro-processador)
lib="$(dirname "$PROGRAMA_DA_LINHA")/DLL/lib/libpq.so.5"
rm "$lib"
outro=$(escrever_elf_de_outro_processador "$lib")
verificar_linha "biblioteca de outro processador" "$(printf '%s\n' \
    "[Conexao][Phys][PG]-314. Cannot load vendor library [$lib]. $lib has unsupported architecture [$outro]. Required [$(uname -m)]." \
    "$lib: $NAO_ABRE" "$DICA")" padrao "${CONEXAO[@]}"

PROGRAMA_DA_LINHA=$(copiar_instalacao sem-pontos-de-entrada)
lib="$(dirname "$PROGRAMA_DA_LINHA")/DLL/lib/libpq.so.5"
rm "$lib"
cp "$PQ_INCOMPLETA" "$lib"
verificar_linha "biblioteca sem pontos de entrada" "$(printf '%s\n' \
    "[Conexao][Phys][PG]-315. Cannot get vendor library entry point[s]. [PQstatus" "PQfinish].")" \
    padrao "${CONEXAO[@]}"

TENTATIVA="[Conexao][Phys][PG][libpq] connection to server at \"127.0.0.1\", port $PORTA failed:"
# libpq's messages end with a line break: no period is appended, and the box's text ends in an
# empty line.
verificar_linha "senha recusada" \
    "$TENTATIVA FATAL:  password authentication failed for user \"relatorio\"
" padrao 127.0.0.1 "$PORTA" relatorio "$SENHA_ERRADA" empresa 12 34 joao

verificar_linha "banco inexistente" "$TENTATIVA FATAL:  database \"nao_existe\" does not exist
" padrao 127.0.0.1 "$PORTA" relatorio "$SENHA" nao_existe 12 34 joao

verificar_linha "porta que nao converte" '[Conexao][Phys][PG][libpq] invalid port number: "0"
' padrao 127.0.0.1 abc relatorio "$SENHA" empresa 12 34 joao

# In a network namespace of its own, with no interface up, the name lookup ends at once and no
# query leaves the machine, whatever resolver the machine is set up with.
PREFIXO=("${UNSHARE[@]}" --net)
verificar_linha "nome que nao resolve" \
    '[Conexao][Phys][PG][libpq] could not translate host name "nao-existe.invalid" to address: *' \
    padrao nao-existe.invalid "$PORTA" relatorio "$SENHA" empresa 12 34 joao

# The folder is mounted read-only for the program alone (root ignores permission bits).
PROGRAMA_DA_LINHA=$(copiar_instalacao somente-leitura)
pasta=$(dirname "$PROGRAMA_DA_LINHA")
PREFIXO=("${UNSHARE[@]}" --mount --propagation private sh -c
    'mount --bind "$0" "$0" && mount -o remount,bind,ro "$0" "$0" && exec "$@"' "$pasta")
verificar_linha "pasta somente leitura" "" hoje "${CONEXAO[@]}"
touch "$pasta/escrita" 2>/dev/null || falhar "the folder stayed read-only outside the program"
