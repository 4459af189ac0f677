#include "platform/busca_de_programa.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <string_view>

namespace plataforma {

namespace {

bool executavel(const std::string& caminho) {
    struct stat estado {};
    return stat(caminho.c_str(), &estado) == 0 && S_ISREG(estado.st_mode) &&
           access(caminho.c_str(), X_OK) == 0;
}

std::string caminhoDeBusca() {
    if (const char* path = std::getenv("PATH"))
        return path;
    std::string padrao(confstr(_CS_PATH, nullptr, 0), '\0');
    if (!padrao.empty())
        padrao.resize(confstr(_CS_PATH, padrao.data(), padrao.size()) - 1);
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
