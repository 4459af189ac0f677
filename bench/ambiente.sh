# What the start-up benchmarks share, sourced by them from the project root: a work folder
# (trabalho), an Xvfb display of their own (DISPLAY) and a local PostgreSQL server with role,
# password and database "bench" (its port in porta), all removed on exit, and the functions that
# sum up their samples. A script may set antes_de_encerrar to a command that runs first at exit.
trabalho=$(mktemp -d /tmp/bench-relatorio.XXXXXX)
chmod 755 "$trabalho"
pid_x=""
antes_de_encerrar=true
encerrar() {
    $antes_de_encerrar || true
    bash scripts/servidor_pg.sh stop "$trabalho/pg" >/dev/null 2>&1 || true
    if [ -n "$pid_x" ]; then
        kill "$pid_x" 2>/dev/null || true
        wait "$pid_x" 2>/dev/null || true
    fi
    rm -rf "$trabalho"
}
trap encerrar EXIT

Xvfb -displayfd 3 -noreset -nolisten tcp -screen 0 1280x1024x24 3>"$trabalho/tela" 2>/dev/null &
pid_x=$!
until [ -s "$trabalho/tela" ]; do sleep 0.05; done
export DISPLAY=":$(cat "$trabalho/tela")"
porta=$(bash scripts/servidor_pg.sh start "$trabalho/pg" --papel bench bench --banco bench bench --vigiar $$)

# The median of one program's figures in a file of samples, lines "<program> <figure>...".
mediana() { # <file> <program> <column of the figure>
    awk -v nome="$2" -v coluna="$3" '$1 == nome { print $coluna }' "$1" | sort -g |
        awk '{ v[NR] = $1 } END { print (NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2) }'
}
razao() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a / b }'; }
