#include "platform/interpretador.h"

#include "platform/ambiente.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <stdexcept>
#include <system_error>
#include <utility>
#include <vector>

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

// Runs in the child: a session of its own (no terminal signals from the program's group), the
// pipe as its error output, default signal handling but for SIGPIPE, no descriptor of the program
// beyond 0, 1 and 2, then the shell. SIGPIPE stays ignored through the exec, so that the viewer
// outlives this program's end even when it writes to its error output afterwards: the write
// fails, nothing more.
[[noreturn]] void executarShell(char* const argumentos[], char* const ambiente[], int saidaDeErros,
                                int canal, int maiorDescritor) {
    setsid();
    if (saidaDeErros == STDERR_FILENO)
        fcntl(STDERR_FILENO, F_SETFD, 0);
    else if (dup2(saidaDeErros, STDERR_FILENO) < 0)
        relatarEFinalizar(canal);
    struct sigaction tratamento {};
    for (int sinal = 1; sinal < NSIG; ++sinal) {
        tratamento.sa_handler = sinal == SIGPIPE ? SIG_IGN : SIG_DFL;
        sigaction(sinal, &tratamento, nullptr);
    }
    marcarDescritoresParaFechar(maiorDescritor);
    sigset_t nenhum;
    sigemptyset(&nenhum);
    sigprocmask(SIG_SETMASK, &nenhum, nullptr);
    execve(caminhoDoShell, argumentos, ambiente);
    relatarEFinalizar(canal);
}

[[noreturn]] void lancarErroDeInicio(int erro) {
    throw std::system_error(erro, std::generic_category(),
                            "Não foi possível iniciar o interpretador de comandos");
}

// A descriptor that closes itself.
class Descritor {
public:
    Descritor() = default;
    explicit Descritor(int valor) : fValor(valor) {}
    Descritor(Descritor&& outro) noexcept : fValor(std::exchange(outro.fValor, -1)) {}
    Descritor& operator=(Descritor&& outro) noexcept {
        std::swap(fValor, outro.fValor);
        return *this;
    }
    ~Descritor() { fechar(); }

    int valor() const { return fValor; }
    void fechar() {
        if (fValor >= 0)
            close(std::exchange(fValor, -1));
    }

private:
    int fValor = -1;
};

// A descriptor that turns readable when the process ends (Linux 5.3 and later); -1 elsewhere.
int descritorDoFim(pid_t processo) {
#ifdef SYS_pidfd_open
    return static_cast<int>(syscall(SYS_pidfd_open, processo, 0));
#else
    static_cast<void>(processo);
    return -1;
#endif
}

// The shell is this program's child until it ends: its end is seen through its process
// descriptor and it is reaped then. Should the program end first, the system adopts it.
class InterpretadorPosix final : public InterpretadorIniciado {
public:
    InterpretadorPosix(pid_t processo, Descritor erros)
        : fProcesso(processo), fFim(descritorDoFim(processo)), fErros(std::move(erros)) {}

    Aguardavel fim() const override { return fFim.valor(); }
    Aguardavel erros() const override { return fErros.valor(); }
    bool lendoErros() const override { return fErros.valor() >= 0; }

private:
    void lerErros() override {
        char bloco[4096];
        for (int leitura = 0; leitura < leiturasPorVez && fErros.valor() >= 0; ++leitura) {
            const ssize_t lidos = read(fErros.valor(), bloco, sizeof bloco);
            if (lidos > 0)
                fFinal.acrescentar({bloco, static_cast<std::size_t>(lidos)});
            else if (lidos < 0 && errno == EINTR)
                continue;
            else if (lidos < 0 && errno == EAGAIN)
                return;
            else
                fErros.fechar(); // end of the output, or a pipe that can no longer be read
        }
    }

    void verificarFim() override {
        int estado = 0;
        pid_t visto;
        do {
            visto = waitpid(fProcesso, &estado, WNOHANG);
        } while (visto < 0 && errno == EINTR);
        if (visto == fProcesso) {
            fCodigo = WIFSIGNALED(estado) ? 128 + WTERMSIG(estado) : WEXITSTATUS(estado);
            fTerminou = true;
        } else if (visto < 0 || (fFim.valor() < 0 && fErros.valor() < 0)) {
            // Not a child any more, or, without a process descriptor, its error output closed
            // while it runs on: its end cannot be seen without waiting, so it is let go.
            fTerminou = true;
        }
        if (!fTerminou)
            return;
        // What it wrote before it ended is in the pipe already; a process it left behind may
        // still hold the pipe and write on, and is not waited for.
        lerErros();
        fErros.fechar();
        fFim.fechar();
    }

    pid_t fProcesso;
    Descritor fFim;
    Descritor fErros;
};

} // namespace

std::unique_ptr<InterpretadorIniciado> iniciarInterpretadorOculto(const std::string& parametros) {
    const std::string comando = comandoAposChave(parametros);
    // Everything the child needs is prepared here: after fork it may not allocate.
    char nomeDoShell[] = "sh";
    char opcao[] = "-c";
    char* const argumentos[] = {nomeDoShell, opcao, const_cast<char*>(comando.c_str()), nullptr};
    std::vector<char*> ambiente;
    for (char** entrada = environ; *entrada != nullptr; ++entrada)
        if (!variavelPropria(*entrada))
            ambiente.push_back(*entrada);
    ambiente.push_back(nullptr);
    const long limiteDeDescritores = sysconf(_SC_OPEN_MAX);
    const int maiorDescritor =
        limiteDeDescritores > 0 ? static_cast<int>(limiteDeDescritores) : 1024;

    int pontas[2];
    if (pipe2(pontas, O_CLOEXEC) != 0)
        lancarErroDeInicio(errno);
    Descritor leituraDosErros(pontas[0]);
    Descritor escritaDosErros(pontas[1]);
    // The child writes errno here if it cannot start the shell; a successful exec closes the
    // pipe, so the parent reads end-of-file.
    if (pipe2(pontas, O_CLOEXEC) != 0)
        lancarErroDeInicio(errno);
    Descritor leituraDoCanal(pontas[0]);
    Descritor escritaDoCanal(pontas[1]);

    pid_t processo;
    int erroDoFork = 0;
    {
        const SinaisBloqueados bloqueio;
        processo = fork();
        if (processo < 0)
            erroDoFork = errno;
        if (processo == 0)
            executarShell(argumentos, ambiente.data(), escritaDosErros.valor(),
                          escritaDoCanal.valor(), maiorDescritor);
    }
    if (processo < 0)
        lancarErroDeInicio(erroDoFork);
    escritaDosErros.fechar();
    escritaDoCanal.fechar();

    int erroDoFilho = 0;
    ssize_t lidos;
    do {
        lidos = read(leituraDoCanal.valor(), &erroDoFilho, sizeof erroDoFilho);
    } while (lidos < 0 && errno == EINTR);
    if (lidos == sizeof erroDoFilho) {
        // The child ends right after it reports.
        while (waitpid(processo, nullptr, 0) < 0 && errno == EINTR) {
        }
        lancarErroDeInicio(erroDoFilho);
    }

    fcntl(leituraDosErros.valor(), F_SETFL, fcntl(leituraDosErros.valor(), F_GETFL) | O_NONBLOCK);
    return std::make_unique<InterpretadorPosix>(processo, std::move(leituraDosErros));
}

} // namespace plataforma
