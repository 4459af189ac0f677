#include "platform/busca_de_programa.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string_view>

namespace plataforma {

namespace {

bool executavel(const std::string& caminho) {
    struct stat estado {};
    return stat(caminho.c_str(), &estado) == 0 && S_ISREG(estado.st_mode) &&
           access(caminho.c_str(), X_OK) == 0;
}

// The search path that the interpreter starting the viewer (/bin/sh, as popen's) takes when PATH
// is not set: each shell has its own default, so the shell itself is asked.
std::string caminhoPadraoDoInterpretador() {
    std::string caminho;
    if (FILE* shell = popen("printf '%s' \"$PATH\"", "r")) {
        char bloco[256];
        for (std::size_t lidos; (lidos = std::fread(bloco, 1, sizeof bloco, shell)) > 0;)
            caminho.append(bloco, lidos);
        pclose(shell);
    }
    return caminho;
}

std::string caminhoDeBusca() {
    if (const char* path = std::getenv("PATH"))
        return path;
    static const std::string padrao = caminhoPadraoDoInterpretador();
    return padrao;
}

} // namespace

bool programaEncontravel(const std::string& nome) {
    const std::string path = caminhoDeBusca();
    std::string_view resto = path;
    for (;;) {
        const auto fim = resto.find(':');
        const std::string_view pasta = resto.substr(0, fim);
        if (executavel((pasta.empty() ? std::string(".") : std::string(pasta)) + "/" + nome))
            return true;
        if (fim == std::string_view::npos)
            return false;
        resto.remove_prefix(fim + 1);
    }
}

} // namespace plataforma
