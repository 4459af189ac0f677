#!/usr/bin/env bash
# The program against a server that accepts TLS connections only, as hosted PostgreSQL services
# are set up (on Linux with the system's libpq, under Wine with the program's own libpq.dll and
# OpenSSL DLLs):
# - with the client library's default settings the program connects, and the server sees its
#   session encrypted, under the program's name (a name set in PGAPPNAME wins);
# - with PGSSLMODE=verify-full, the server's authority as root.crt in the user's PostgreSQL folder
#   (~/.postgresql on Linux, %APPDATA%\postgresql on Windows) and the server named localhost, it
#   connects;
# - with a root.crt of another authority, the error box holds the client library's words, then
#   the window opens and prints;
# - under Wine, with libcrypto-3-x64.dll missing from DLL\lib, the load error box, then the
#   window.
# Every other end-to-end test runs against a plain server with the same default settings.
source "$(dirname "$0")/comum.sh"
iniciar_tela
iniciar_servidor --tls

# The user's PostgreSQL folder: in a home of the test's own on Linux, in the Wine prefix's
# profile under Wine (removed at the end, as the prefix serves the other tests).
if [ "$PLATAFORMA" = windows ]; then
    PASTA_DO_USUARIO="$WINEPREFIX/drive_c/users/$(id -un)/AppData/Roaming/postgresql"
    trap 'rm -rf "$PASTA_DO_USUARIO"; encerrar' EXIT
else
    export HOME="$TRABALHO/casa"
    PASTA_DO_USUARIO="$HOME/.postgresql"
fi
mkdir -p "$PASTA_DO_USUARIO"

SESSAO_CIFRADA="select coalesce(string_agg(s.ssl || '|' || a.application_name, ','), 'none')
                from pg_stat_ssl s join pg_stat_activity a using (pid)
                where a.usename = 'relatorio'"

# The program connects to the server named $2: one session, encrypted, under the name $3; then
# it is closed.
conecta_cifrado() { # <row> <server> [<application name>]
    echo "row: $1"
    iniciar_programa "$2" "$PORTA" relatorio segredo empresa 12 34 joao
    JANELA=$(esperar_janela "Relação de Licensa Clientes")
    afirmar_igual "$(consultar_servidor "$SESSAO_CIFRADA")" "true|${3:-RelLicensaCliente}" \
        "$1: the program's session"
    fechar_e_conferir
}

# The program shows an error box holding $2, then its window, which prints.
caixa_e_janela() { # <row> <text in the box>
    echo "row: $1"
    iniciar_programa 127.0.0.1 "$PORTA" relatorio segredo empresa 12 34 joao
    local caixa texto
    caixa=$(esperar_janela Rellicensacliente)
    texto=$(texto_da_caixa "$caixa")
    [[ $texto == *"$2"* ]] || falhar "$1: no [$2] in the box: $texto"
    depois_da_caixa_de_erro "$caixa" "$1"
}

conecta_cifrado "default settings" 127.0.0.1
PGAPPNAME="Relatorios do site" conecta_cifrado "a name of the site's own" 127.0.0.1 \
    "Relatorios do site"

cp "$PASTA_PG/tls/raiz.crt" "$PASTA_DO_USUARIO/root.crt"
PGSSLMODE=verify-full conecta_cifrado "verify-full with root.crt" localhost

openssl req -x509 -newkey rsa:2048 -nodes -days 2 -subj /CN=outra-autoridade \
    -keyout "$TRABALHO/outra.key" -out "$PASTA_DO_USUARIO/root.crt" >/dev/null 2>&1
caixa_e_janela "root.crt of another authority" "SSL error: certificate verify failed"
rm "$PASTA_DO_USUARIO/root.crt"

if [ "$PLATAFORMA" = windows ]; then
    sem_libcrypto=$(copiar_instalacao sem-libcrypto)
    rm "$(dirname "$sem_libcrypto")/DLL/lib/libcrypto-3-x64.dll"
    PROGRAMA=$sem_libcrypto caixa_e_janela "libcrypto missing" \
        "[Conexao][Phys][PG]-314. Cannot load vendor library [$(caminho_visto "$(dirname "$sem_libcrypto")")\\DLL\\lib\\libpq.dll]."
fi
