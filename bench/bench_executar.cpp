// The cost of a launch through the real path, in two figures, each against baselines measured in
// the same run:
// - how long the print action waits for executar (from the call until the viewer's shell has
//   been started and handed to the watcher), against starting the same shell bare: fork + exec
//   without waiting (the least a launch can cost), posix_spawn, which returns once the exec has
//   happened, as executar does, and the launch as it was before the viewer was followed (a double
//   fork, the shell adopted by the system, no pipe for its error output);
// - how long until the viewer's process is running (a stand-in "java" that notes the moment it
//   started), against a bare spawn of "/bin/sh -c true" run to its end: the shell that every
//   launch goes through, doing the least it can.
//
//   bench_executar [repetitions]    (200 by default)

#include "messages/UnFuncao.h"
#include "report/UnRelatorioJasper.h"
#include "tests/report/exemplo_trabalhado.h"
#include "tests/support/fim_do_interpretador.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
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

// The launch before the viewer was followed: the shell started by a child that exits at once, so
// that the system adopts it, with its session, signals and descriptors set as the launch sets
// them, and its exec confirmed by the end of a close-on-exec pipe.
pid_t lancamentoSemAcompanhar() {
    int canal[2];
    if (pipe2(canal, O_CLOEXEC) != 0)
        return -1;
    const pid_t intermediario = fork();
    if (intermediario == 0) {
        if (fork() == 0) {
            setsid();
            struct sigaction padrao {};
            padrao.sa_handler = SIG_DFL;
            for (int sinal = 1; sinal < NSIG; ++sinal)
                sigaction(sinal, &padrao, nullptr);
            close_range(3, ~0U, CLOSE_RANGE_CLOEXEC);
            execve("/bin/sh", argumentosDoShell, environ);
        }
        _exit(0);
    }
    close(canal[1]);
    waitpid(intermediario, nullptr, 0);
    char lido;
    while (read(canal[0], &lido, 1) < 0 && errno == EINTR) {
    }
    close(canal[0]);
    return -1;
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
    // The launch hands its interpreter to a watcher, as in the program; here it is followed to its
    // end after the measurement.
    std::vector<std::unique_ptr<plataforma::InterpretadorIniciado>> iniciados;
    trocarVigiaDoInterpretador(
        [&iniciados](std::unique_ptr<plataforma::InterpretadorIniciado> interpretador) {
            iniciados.push_back(std::move(interpretador));
        });
    const auto executar = [&]() -> pid_t {
        relatorio.executar(TFormatoSaida::tsPDF);
        return -1;
    };

    std::vector<double> semEsperar, spawn, antes, tempoExecutar, shell, ateOVisualizador;
    for (int i = 0; i < repeticoes; ++i) {
        // Interleaved, so that all see the same state of the machine.
        semEsperar.push_back(medir(forkExecSemEsperar));
        spawn.push_back(medir(posixSpawn));
        antes.push_back(medir(lancamentoSemAcompanhar));
        shell.push_back(shellCompleto());
        const auto inicio = Relogio::now();
        tempoExecutar.push_back(medir(executar));
        ateOVisualizador.push_back(microssegundos(inicioDoVisualizador(pasta / "inicio") - inicio));
        for (const auto& interpretador : iniciados) {
            if (!seguirAteOFim(*interpretador) || interpretador->codigoDeSaida() != 0) {
                std::fprintf(stderr, "a launch did not end well\n");
                return 1;
            }
        }
        iniciados.clear();
        // Lets the detached shell of the launch of before end before the next measurement.
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    fs::remove_all(pasta);

    const double base = mediana(semEsperar);
    const double baseSpawn = mediana(spawn);
    const double baseAntes = mediana(antes);
    const double nosso = mediana(tempoExecutar);
    std::printf("repetitions: %d\n", repeticoes);
    std::printf("baseline fork+exec /bin/sh, not waiting:    median %8.1f us\n", base);
    std::printf("baseline posix_spawn /bin/sh:               median %8.1f us\n", baseSpawn);
    std::printf("baseline launch not followed (double fork): median %8.1f us\n", baseAntes);
    std::printf("executar (real launch path, followed):      median %8.1f us\n", nosso);
    std::printf("ratio executar / fork+exec:   %.2f\n", nosso / base);
    std::printf("ratio executar / posix_spawn: %.2f\n", nosso / baseSpawn);
    std::printf("ratio executar / launch not followed: %.2f\n", nosso / baseAntes);
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
