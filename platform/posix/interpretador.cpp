#include "platform/interpretador.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <stdexcept>
#include <system_error>

extern char** environ;

namespace plataforma {

namespace {

constexpr const char* caminhoDoShell = "/bin/sh";

// The text after the leading "/c" switch: the command that the interpreter is to run.
std::string comandoAposChave(const std::string& parametros) {
    const auto inicio = parametros.find_first_not_of(" \t");
    const bool temChave = inicio != std::string::npos && parametros.size() - inicio >= 2 &&
                          parametros[inicio] == '/' &&
                          (parametros[inicio + 1] == 'c' || parametros[inicio + 1] == 'C');
    if (!temChave)
        throw std::invalid_argument(
            "O interpretador de comandos só executa um texto que comece com /c: " + parametros);
    return parametros.substr(inicio + 2);
}

// Blocks every signal in this thread while it lives, so that no handler of the program runs in a
// child between fork and exec.
class SinaisBloqueados {
public:
    SinaisBloqueados() {
        sigset_t todos;
        sigfillset(&todos);
        pthread_sigmask(SIG_SETMASK, &todos, &fAnteriores);
    }
    ~SinaisBloqueados() { pthread_sigmask(SIG_SETMASK, &fAnteriores, nullptr); }
    SinaisBloqueados(const SinaisBloqueados&) = delete;
    SinaisBloqueados& operator=(const SinaisBloqueados&) = delete;

private:
    sigset_t fAnteriores;
};

// Reports errno through the pipe and ends the child. Only async-signal-safe calls from here on.
[[noreturn]] void relatarEFinalizar(int canal) {
    const int erro = errno;
    ssize_t escritos;
    do {
        escritos = write(canal, &erro, sizeof erro);
    } while (escritos < 0 && errno == EINTR);
    _exit(127);
}

// Marks every descriptor above 2 close-on-exec. Not closed outright: the error pipe must stay
// open until the exec succeeds.
void marcarDescritoresParaFechar(int maiorDescritor) {
#ifdef __linux__
    if (close_range(3, ~0U, CLOSE_RANGE_CLOEXEC) == 0)
        return;
#endif
    for (int descritor = 3; descritor <= maiorDescritor; ++descritor)
        fcntl(descritor, F_SETFD, FD_CLOEXEC);
}

// Runs in the grandchild: a session of its own (no terminal signals from the program's group),
// default signal handling, no descriptor of the program beyond 0, 1 and 2, then the shell.
[[noreturn]] void executarShell(char* const argumentos[], int canal, int maiorDescritor) {
    setsid();
    struct sigaction padrao {};
    padrao.sa_handler = SIG_DFL;
    for (int sinal = 1; sinal < NSIG; ++sinal)
        sigaction(sinal, &padrao, nullptr);
    marcarDescritoresParaFechar(maiorDescritor);
    sigset_t nenhum;
    sigemptyset(&nenhum);
    sigprocmask(SIG_SETMASK, &nenhum, nullptr);
    execve(caminhoDoShell, argumentos, environ);
    relatarEFinalizar(canal);
}

[[noreturn]] void lancarErroDeInicio(int erro) {
    throw std::system_error(erro, std::generic_category(),
                            "Não foi possível iniciar o interpretador de comandos");
}

} // namespace

void iniciarInterpretadorOculto(const std::string& parametros) {
    const std::string comando = comandoAposChave(parametros);
    // Everything the children need is prepared here: after fork they may not allocate.
    char nomeDoShell[] = "sh";
    char opcao[] = "-c";
    char* const argumentos[] = {nomeDoShell, opcao, const_cast<char*>(comando.c_str()), nullptr};
    const long limiteDeDescritores = sysconf(_SC_OPEN_MAX);
    const int maiorDescritor =
        limiteDeDescritores > 0 ? static_cast<int>(limiteDeDescritores) : 1024;

    // The grandchild writes errno here if it cannot start the shell; a successful exec closes
    // the pipe, so the parent reads end-of-file.
    int canal[2];
    if (pipe2(canal, O_CLOEXEC) != 0)
        lancarErroDeInicio(errno);

    // Double fork: the intermediate child exits at once and is reaped here, so the shell is
    // adopted by the system and never becomes a zombie of this program, nor ends with it.
    pid_t intermediario;
    int erroDoFork = 0;
    {
        const SinaisBloqueados bloqueio;
        intermediario = fork();
        if (intermediario < 0)
            erroDoFork = errno;
        if (intermediario == 0) {
            close(canal[0]);
            const pid_t neto = fork();
            if (neto == 0)
                executarShell(argumentos, canal[1], maiorDescritor);
            if (neto < 0)
                relatarEFinalizar(canal[1]);
            _exit(0);
        }
    }
    close(canal[1]);
    if (intermediario < 0) {
        close(canal[0]);
        lancarErroDeInicio(erroDoFork);
    }
    while (waitpid(intermediario, nullptr, 0) < 0 && errno == EINTR) {
    }

    int erroDoFilho = 0;
    ssize_t lidos;
    do {
        lidos = read(canal[0], &erroDoFilho, sizeof erroDoFilho);
    } while (lidos < 0 && errno == EINTR);
    close(canal[0]);
    if (lidos == sizeof erroDoFilho)
        lancarErroDeInicio(erroDoFilho);
}

} // namespace plataforma
