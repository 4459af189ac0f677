#include "platform/linha_de_comando.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
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

// Where the argument area starts: the program's name, the first of its strings.
char* inicioDaAreaDeArgumentos() {
#ifdef __APPLE__
    return *_NSGetArgc() > 0 ? (*_NSGetArgv())[0] : nullptr;
#else
    return program_invocation_name; // glibc's pointer to argv[0] itself
#endif
}

} // namespace

LinhaDeComando linhaDeComandoDoProcesso() {
    return {std::nullopt, argumentosDoProcesso()};
}

void mascararNaLinhaDeComando(std::size_t inicio, std::size_t fim) {
    char* const area = inicioDaAreaDeArgumentos();
    if (area == nullptr)
        return;
    // The items lie one after the other from there, each ended by a NUL, as they were read.
    std::size_t tamanho = 0;
    for (const std::string& item : argumentosDoProcesso()) {
        if (std::strcmp(area + tamanho, item.c_str()) != 0)
            return;
        tamanho += item.size() + 1;
    }
    if (inicio <= fim && fim <= tamanho)
        std::fill(area + inicio, area + fim, '*');
}

} // namespace plataforma
