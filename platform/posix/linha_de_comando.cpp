#include "platform/linha_de_comando.h"

#include <cerrno>
#include <fstream>
#include <iterator>
#include <system_error>

#ifdef __APPLE__
#include <crt_externs.h>
#endif

namespace plataforma {

namespace {

#ifdef __APPLE__
std::vector<std::string> argumentosDoProcesso() {
    const int quantos = *_NSGetArgc();
    char** const valores = *_NSGetArgv();
    return std::vector<std::string>(valores, valores + quantos);
}
#else
// /proc/self/cmdline holds the argument vector, every item ended by a NUL.
std::vector<std::string> argumentosDoProcesso() {
    std::ifstream arquivo("/proc/self/cmdline", std::ios::binary);
    if (!arquivo)
        throw std::system_error(errno, std::generic_category(), "/proc/self/cmdline");
    const std::string conteudo{std::istreambuf_iterator<char>(arquivo),
                               std::istreambuf_iterator<char>()};
    std::vector<std::string> argumentos;
    std::string::size_type inicio = 0;
    while (inicio < conteudo.size()) {
        std::string::size_type fim = conteudo.find('\0', inicio);
        if (fim == std::string::npos)
            fim = conteudo.size();
        argumentos.emplace_back(conteudo, inicio, fim - inicio);
        inicio = fim + 1;
    }
    return argumentos;
}
#endif

} // namespace

LinhaDeComando linhaDeComandoDoProcesso() {
    return {std::nullopt, argumentosDoProcesso()};
}

} // namespace plataforma
