// The cost of a launch through the real path, in two figures, each against baselines measured in
// the same run:
// - how long the print action waits for executar (from the call until the viewer's shell has
//   been started), against starting the same shell bare: fork + exec without waiting (the least
//   a launch can cost), and posix_spawn, which returns once the exec has happened, as executar
//   does;
// - how long until the viewer's process is running (a stand-in "java" that notes the moment it
//   started), against a bare spawn of "/bin/sh -c true" run to its end: the shell that every
//   launch goes through, doing the least it can.
//
//   bench_executar [repetitions]    (200 by default)

#include "messages/UnFuncao.h"
#include "report/UnRelatorioJasper.h"
#include "tests/report/exemplo_trabalhado.h"

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <thread>
#include <vector>

extern char** environ;

namespace {

namespace fs = std::filesystem;
using Relogio = std::chrono::steady_clock;

int avisos = 0;

char nomeDoShell[] = "sh";
char opcao[] = "-c";
char comandoVazio[] = "true";
char* const argumentosDoShell[] = {nomeDoShell, opcao, comandoVazio, nullptr};

double microssegundos(Relogio::duration d) {
    return std::chrono::duration<double, std::micro>(d).count();
}

double mediana(std::vector<double> valores) {
    std::sort(valores.begin(), valores.end());
    const std::size_t meio = valores.size() / 2;
    return valores.size() % 2 ? valores[meio] : (valores[meio - 1] + valores[meio]) / 2;
}

// A "java" that only notes when it started, first on PATH, so that the viewer costs nothing
// after the launch.
fs::path prepararJavaQueMarcaOInicio() {
    std::string modelo = (fs::temp_directory_path() / "bench-executar-XXXXXX").string();
    if (!mkdtemp(modelo.data())) {
        std::perror("mkdtemp");
        std::exit(1);
    }
    const fs::path pasta = modelo;
    fs::create_symlink(JAVA_MARCA_INICIO, pasta / "java");
    const char* path = std::getenv("PATH");
    setenv("PATH", (pasta.string() + ":" + (path ? path : "/usr/bin:/bin")).c_str(), 1);
    setenv("BENCH_MARCA_INICIO", (pasta / "inicio").c_str(), 1);
    return pasta;
}

// The moment the stand-in viewer noted, waiting for it to appear.
Relogio::time_point inicioDoVisualizador(const fs::path& arquivo) {
    const auto prazo = Relogio::now() + std::chrono::seconds(10);
    long long ns = 0;
    while (!(std::ifstream(arquivo) >> ns)) {
        if (Relogio::now() > prazo) {
            std::fprintf(stderr, "the stand-in viewer did not start\n");
            std::exit(1);
        }
        std::this_thread::yield();
    }
    fs::remove(arquivo);
    return Relogio::time_point(std::chrono::nanoseconds(ns));
}

pid_t forkExecSemEsperar() {
    const pid_t filho = fork();
    if (filho == 0) {
        execve("/bin/sh", argumentosDoShell, environ);
        _exit(127);
    }
    return filho;
}

pid_t posixSpawn() {
    pid_t filho = -1;
    posix_spawn(&filho, "/bin/sh", nullptr, nullptr, argumentosDoShell, environ);
    return filho;
}

// posix_spawn of the shell, run to its end.
double shellCompleto() {
    const auto inicio = Relogio::now();
    const pid_t filho = posixSpawn();
    waitpid(filho, nullptr, 0);
    return microssegundos(Relogio::now() - inicio);
}

// Times one start; the child, when the start made one of ours, is reaped outside the timing.
double medir(const std::function<pid_t()>& iniciar) {
    const auto inicio = Relogio::now();
    const pid_t filho = iniciar();
    const double tempo = microssegundos(Relogio::now() - inicio);
    if (filho > 0)
        waitpid(filho, nullptr, 0);
    return tempo;
}

} // namespace

std::int32_t Mensagem(const std::string& Texto, TTipoMensagens) {
    std::fprintf(stderr, "aviso: %s\n", Texto.c_str());
    ++avisos;
    return mrOk;
}

int main(int argc, char** argv) {
    const int repeticoes = argc > 1 ? std::max(1, std::atoi(argv[1])) : 200;
    const fs::path pasta = prepararJavaQueMarcaOInicio();

    TRelatorioVisualizador relatorio(relatorioDoExemplo);
    AdicionarParametrosDoExemplo(relatorio);
    const auto executar = [&]() -> pid_t {
        relatorio.executar(TFormatoSaida::tsPDF);
        return -1;
    };

    std::vector<double> semEsperar, spawn, tempoExecutar, shell, ateOVisualizador;
    for (int i = 0; i < repeticoes; ++i) {
        // Interleaved, so that all see the same state of the machine.
        semEsperar.push_back(medir(forkExecSemEsperar));
        spawn.push_back(medir(posixSpawn));
        shell.push_back(shellCompleto());
        const auto inicio = Relogio::now();
        tempoExecutar.push_back(medir(executar));
        ateOVisualizador.push_back(microssegundos(inicioDoVisualizador(pasta / "inicio") - inicio));
        // Lets the detached shell of the launch end before the next measurement.
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    fs::remove_all(pasta);

    const double base = mediana(semEsperar);
    const double baseSpawn = mediana(spawn);
    const double nosso = mediana(tempoExecutar);
    std::printf("repetitions: %d\n", repeticoes);
    std::printf("baseline fork+exec /bin/sh, not waiting: median %8.1f us\n", base);
    std::printf("baseline posix_spawn /bin/sh:            median %8.1f us\n", baseSpawn);
    std::printf("executar (real launch path):             median %8.1f us\n", nosso);
    std::printf("ratio executar / fork+exec:   %.2f\n", nosso / base);
    std::printf("ratio executar / posix_spawn: %.2f\n", nosso / baseSpawn);
    const double baseShell = mediana(shell);
    const double visualizador = mediana(ateOVisualizador);
    std::printf("baseline posix_spawn /bin/sh -c true, to its end: median %8.1f us\n", baseShell);
    std::printf("executar until the viewer's process runs:        median %8.1f us\n", visualizador);
    std::printf("ratio viewer started / bare shell: %.2f\n", visualizador / baseShell);
    if (avisos > 0) {
        std::fprintf(stderr, "%d launches failed\n", avisos);
        return 1;
    }
    return 0;
}
