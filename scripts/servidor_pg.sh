#!/usr/bin/env bash
# A throw-away PostgreSQL server on loopback, for tests and local runs.
#
#   servidor_pg.sh start <pasta> [--papel NOME SENHA]... [--banco NOME [DONO]]... [--vigiar PID]
#                        [--tls]
#       Creates a new cluster in <pasta> (which must be empty or absent), starts it on a free port
#       of 127.0.0.1 and ::1, creates the roles (LOGIN, with password) and databases asked for,
#       and prints the port. Connections over TCP need a password (scram-sha-256); the superuser
#       "postgres" has none and connects only through the socket in <pasta>/sock.
#       --vigiar PID stops the server and removes <pasta> as soon as process PID ends, so that a
#       test program that dies does not leave a server behind.
#       --tls makes a server that accepts TLS connections only, as hosted services are set up: a
#       certificate authority of its own in <pasta>/tls/raiz.crt signs the server's certificate
#       (for localhost and 127.0.0.1), and a plain connection over TCP is refused.
#   servidor_pg.sh stop <pasta>
#       Stops the server and removes <pasta>. Does nothing to a folder that this script did not
#       make (it says so), nor when no server runs there.
#   servidor_pg.sh papel <pasta> NOME SENHA       (a role that logs in with SENHA; with "", one
#                                                  that logs in without a password)
#   servidor_pg.sh banco <pasta> NOME [DONO]      (a database)
#       Create what the options of start create, on a running server; nothing when it exists.
#   servidor_pg.sh psql <pasta> [psql arguments...]
#       Runs psql as the superuser through the server's socket.
#
# As root the server runs as the unprivileged user "nobody" (PostgreSQL refuses to run as root);
# <pasta>'s parent folders must then be open to that user (a folder in /tmp is).
set -euo pipefail

falhar() {
    echo "servidor_pg.sh: $*" >&2
    exit 1
}

binarios() {
    local versao
    for versao in $(ls /usr/lib/postgresql 2>/dev/null | sort -rn); do
        if [ -x "/usr/lib/postgresql/$versao/bin/postgres" ]; then
            echo "/usr/lib/postgresql/$versao/bin"
            return
        fi
    done
    falhar "no PostgreSQL server in /usr/lib/postgresql (apt-get install postgresql)"
}

BIN=$(binarios)
MARCA=.servidor_pg

# Runs a command as the owner of the cluster.
como_dono() {
    if [ "$(id -u)" -eq 0 ]; then
        setpriv --reuid=nobody --regid=nogroup --clear-groups -- "$@"
    else
        "$@"
    fi
}

psql_admin() {
    local pasta=$1
    shift
    "$BIN/psql" -X -q -v ON_ERROR_STOP=1 -h "$pasta/sock" -p "$(cat "$pasta/porta")" -U postgres \
        -d postgres "$@"
}

# A port that nothing listens on now; the start retries with another if it is taken meanwhile.
porta_livre() {
    local porta
    while :; do
        porta=$((20000 + RANDOM % 40000))
        if ! (exec 3<>"/dev/tcp/127.0.0.1/$porta") 2>/dev/null; then
            echo "$porta"
            return
        fi
    done
}

iniciar_cluster() {
    local pasta=$1
    mkdir -p "$pasta"
    [ -z "$(ls -A "$pasta")" ] || falhar "$pasta is not empty"
    # The mark by which stop knows a folder of its own: it removes no other.
    touch "$pasta/$MARCA"
    mkdir "$pasta/sock"
    if [ "$(id -u)" -eq 0 ]; then
        chown -R nobody:nogroup "$pasta"
    fi
    como_dono "$BIN/initdb" -D "$pasta/dados" -U postgres -E UTF8 --locale=C --no-sync \
        --no-instructions --auth-local=trust --auth-host=scram-sha-256 \
        >"$pasta/initdb.log" 2>&1 || { cat "$pasta/initdb.log" >&2; falhar "initdb failed"; }
    cat >>"$pasta/dados/postgresql.conf" <<EOF
listen_addresses = 'localhost'
unix_socket_directories = '$pasta/sock'
fsync = off
synchronous_commit = off
full_page_writes = off
max_connections = 50
EOF
}

# TLS on, with a certificate signed by an authority of the cluster's own, and TCP connections
# without TLS refused (the socket stays plain, for the superuser).
so_tls() {
    local pasta=$1 tls=$1/tls
    mkdir "$tls"
    openssl req -x509 -newkey rsa:2048 -nodes -days 2 -subj /CN=raiz-de-teste \
        -keyout "$tls/raiz.key" -out "$tls/raiz.crt" >"$tls/openssl.log" 2>&1
    openssl req -newkey rsa:2048 -nodes -subj /CN=localhost -keyout "$tls/servidor.key" \
        -out "$tls/servidor.csr" >>"$tls/openssl.log" 2>&1
    printf 'subjectAltName = DNS:localhost, IP:127.0.0.1, IP:::1\n' >"$tls/extensoes.cnf"
    openssl x509 -req -in "$tls/servidor.csr" -CA "$tls/raiz.crt" -CAkey "$tls/raiz.key" \
        -CAcreateserial -days 2 -extfile "$tls/extensoes.cnf" -out "$tls/servidor.crt" \
        >>"$tls/openssl.log" 2>&1 || { cat "$tls/openssl.log" >&2; falhar "openssl failed"; }
    chmod 600 "$tls/servidor.key"
    if [ "$(id -u)" -eq 0 ]; then
        chown -R nobody:nogroup "$tls"
    fi
    printf "ssl = on\nssl_cert_file = '%s'\nssl_key_file = '%s'\n" "$tls/servidor.crt" \
        "$tls/servidor.key" >>"$pasta/dados/postgresql.conf"
    # Rewritten in place, so that the file keeps its owner.
    sed -E 's/^host(\s)/hostssl\1/' "$pasta/dados/pg_hba.conf" >"$pasta/hba.novo"
    printf 'hostnossl all all 0.0.0.0/0 reject\nhostnossl all all ::/0 reject\n' >>"$pasta/hba.novo"
    cat "$pasta/hba.novo" >"$pasta/dados/pg_hba.conf" && rm "$pasta/hba.novo"
}

subir_servidor() {
    local pasta=$1 tentativa porta
    for tentativa in 1 2 3 4 5; do
        porta=$(porta_livre)
        echo "$porta" >"$pasta/porta"
        if como_dono "$BIN/pg_ctl" -D "$pasta/dados" -l "$pasta/servidor.log" -w -t 30 \
            -o "-p $porta" start >/dev/null 2>&1; then
            return
        fi
        grep -q "could not bind\|Address already in use" "$pasta/servidor.log" 2>/dev/null ||
            break
    done
    cat "$pasta/servidor.log" >&2 2>/dev/null || true
    falhar "the server did not start"
}

# Stops the server and removes its folder when process $2 ends, detached from the caller's
# output so that whoever reads this script's output is not kept waiting.
vigiar() {
    local pasta=$1 pid=$2
    setsid bash -c '
        while kill -0 "$1" 2>/dev/null; do sleep 0.5; done
        exec bash "$2" stop "$3"' vigia "$pid" "$(readlink -f "$0")" "$pasta" \
        </dev/null >/dev/null 2>&1 &
    echo $! >"$pasta/vigia.pid"
}

iniciar() {
    [ $# -ge 1 ] || falhar "usage: $0 start <pasta> [--papel NOME SENHA]... [--banco NOME [DONO]]... [--vigiar PID] [--tls]"
    local pasta
    pasta=$(readlink -f "$1")
    shift
    local comandos=() vigiado="" tls=0
    while [ $# -gt 0 ]; do
        case $1 in
        --papel)
            [ $# -ge 3 ] || falhar "--papel needs NOME SENHA"
            comandos+=("papel" "$2" "$3")
            shift 3
            ;;
        --banco)
            [ $# -ge 2 ] || falhar "--banco needs NOME"
            if [ $# -ge 3 ] && [ "${3#--}" = "$3" ]; then
                comandos+=("banco" "$2" "$3")
                shift 3
            else
                comandos+=("banco" "$2" "postgres")
                shift 2
            fi
            ;;
        --tls)
            tls=1
            shift
            ;;
        --vigiar)
            [ $# -ge 2 ] || falhar "--vigiar needs PID"
            vigiado=$2
            shift 2
            ;;
        *) falhar "unknown option $1" ;;
        esac
    done

    iniciar_cluster "$pasta"
    [ "$tls" = 0 ] || so_tls "$pasta"
    subir_servidor "$pasta"
    [ -z "$vigiado" ] || vigiar "$pasta" "$vigiado"

    local i
    for ((i = 0; i < ${#comandos[@]}; i += 3)); do
        if [ "${comandos[i]}" = papel ]; then
            criar_papel "$pasta" "${comandos[i + 1]}" "${comandos[i + 2]}"
        else
            criar_banco "$pasta" "${comandos[i + 1]}" "${comandos[i + 2]}"
        fi
    done
    cat "$pasta/porta"
}

# Names and passwords reach the server as psql variables, quoted by psql itself. Both are
# idempotent: an existing role gets the new password, an existing database stays. A role given an
# empty password has none and logs in over TCP without one (trust).
criar_papel() {
    psql_admin "$1" -v nome="$2" -v senha="$3" <<'SQL'
SELECT format('CREATE ROLE %I', :'nome') WHERE NOT EXISTS (SELECT FROM pg_roles WHERE rolname = :'nome') \gexec
SELECT format('ALTER ROLE %I LOGIN PASSWORD %s', :'nome', CASE WHEN :'senha' = '' THEN 'NULL' ELSE quote_literal(:'senha') END) \gexec
SQL
    if [ -z "$3" ]; then
        local hba="$1/dados/pg_hba.conf" nome=${2//\"/\"\"}
        # Rewritten in place, so that the file keeps its owner.
        {
            printf 'host all "%s" 127.0.0.1/32 trust\nhost all "%s" ::1/128 trust\n' "$nome" "$nome"
            cat "$hba"
        } >"$1/hba.novo"
        cat "$1/hba.novo" >"$hba" && rm "$1/hba.novo"
        psql_admin "$1" -c 'SELECT pg_reload_conf()' >/dev/null
    fi
}

criar_banco() {
    psql_admin "$1" -v nome="$2" -v dono="$3" <<'SQL'
SELECT format('CREATE DATABASE %I OWNER %I', :'nome', :'dono') WHERE NOT EXISTS (SELECT FROM pg_database WHERE datname = :'nome') \gexec
SQL
}

parar() {
    [ $# -eq 1 ] || falhar "usage: $0 stop <pasta>"
    local pasta=$1
    [ -d "$pasta" ] || return 0
    if [ ! -f "$pasta/$MARCA" ]; then
        echo "servidor_pg.sh: $pasta was not made by this script; left as it is" >&2
        return 0
    fi
    if [ -f "$pasta/dados/postmaster.pid" ]; then
        como_dono "$BIN/pg_ctl" -D "$pasta/dados" -m immediate -w -t 30 stop >/dev/null 2>&1 ||
            true
    fi
    if [ -f "$pasta/vigia.pid" ]; then
        local vigia
        vigia=$(cat "$pasta/vigia.pid")
        # The watchdog itself runs this; it must not end itself before the folder is gone.
        [ "$vigia" = "$$" ] || [ "$vigia" = "$PPID" ] || kill "$vigia" 2>/dev/null || true
    fi
    rm -rf "$pasta"
}

case ${1:-} in
start)
    shift
    iniciar "$@"
    ;;
stop)
    shift
    parar "$@"
    ;;
papel)
    [ $# -eq 4 ] || falhar "usage: $0 papel <pasta> NOME SENHA"
    criar_papel "$2" "$3" "$4"
    ;;
banco)
    [ $# -ge 3 ] && [ $# -le 4 ] || falhar "usage: $0 banco <pasta> NOME [DONO]"
    criar_banco "$2" "$3" "${4:-postgres}"
    ;;
psql)
    shift
    [ $# -ge 1 ] || falhar "usage: $0 psql <pasta> [psql arguments...]"
    pasta=$1
    shift
    psql_admin "$pasta" "$@"
    ;;
*)
    falhar "usage: $0 start|stop|papel|banco|psql <pasta> ..."
    ;;
esac
