#include "tests/support/servidor_pg.h"

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <stdexcept>

extern char** environ;

SaidaDePrograma executarPrograma(const std::vector<std::string>& argumentos) {
    int tubo[2];
    if (pipe(tubo) != 0)
        throw std::runtime_error("pipe failed");
    posix_spawn_file_actions_t acoes;
    posix_spawn_file_actions_init(&acoes);
    posix_spawn_file_actions_adddup2(&acoes, tubo[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&acoes, tubo[0]);
    posix_spawn_file_actions_addclose(&acoes, tubo[1]);

    std::vector<char*> argv;
    for (const std::string& argumento : argumentos)
        argv.push_back(const_cast<char*>(argumento.c_str()));
    argv.push_back(nullptr);

    pid_t processo = 0;
    const int erro = posix_spawnp(&processo, argv[0], &acoes, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&acoes);
    close(tubo[1]);
    if (erro != 0) {
        close(tubo[0]);
        throw std::runtime_error("cannot run " + argumentos.front());
    }

    SaidaDePrograma resultado;
    char bloco[4096];
    for (ssize_t lidos; (lidos = read(tubo[0], bloco, sizeof bloco)) != 0;) {
        if (lidos > 0)
            resultado.saida.append(bloco, static_cast<std::size_t>(lidos));
        else if (errno != EINTR)
            break;
    }
    close(tubo[0]);
    int status = 0;
    while (waitpid(processo, &status, 0) < 0 && errno == EINTR) {
    }
    resultado.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return resultado;
}

namespace {

SaidaDePrograma executarScript(std::vector<std::string> argumentos) {
    argumentos.insert(argumentos.begin(), {"bash", LANCADOR_SCRIPT_SERVIDOR_PG});
    SaidaDePrograma resultado = executarPrograma(argumentos);
    if (resultado.status != 0)
        throw std::runtime_error("servidor_pg.sh " + argumentos[2] + " failed");
    return resultado;
}

} // namespace

ServidorPgTeste::ServidorPgTeste() {
    char modelo[] = "/tmp/lancador-pg-XXXXXX";
    if (mkdtemp(modelo) == nullptr)
        throw std::runtime_error("cannot create a folder for the test server");
    fPasta = modelo;
    const SaidaDePrograma inicio =
        executarScript({"start", fPasta, "--vigiar", std::to_string(getpid())});
    fPorta = std::stoi(inicio.saida);
}

ServidorPgTeste::~ServidorPgTeste() {
    try {
        executarScript({"stop", fPasta});
    } catch (const std::exception&) {
        // The watchdog started with the server stops it when this process ends.
    }
}

void ServidorPgTeste::criarPapel(const std::string& nome, const std::string& senha) const {
    executarScript({"papel", fPasta, nome, senha});
}

void ServidorPgTeste::criarBanco(const std::string& nome, const std::string& dono) const {
    executarScript({"banco", fPasta, nome, dono});
}

std::string ServidorPgTeste::consultar(const std::string& sql) const {
    std::string saida = executarScript({"psql", fPasta, "-At", "-c", sql}).saida;
    if (!saida.empty() && saida.back() == '\n')
        saida.pop_back();
    return saida;
}
