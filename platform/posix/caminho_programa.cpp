#include "platform/caminho_programa.h"

#include <limits.h>
#include <unistd.h>

#include <system_error>
#include <vector>

namespace plataforma {

std::string caminhoDoPrograma() {
    std::vector<char> caminho(PATH_MAX);
    for (;;) {
        const ssize_t tamanho = readlink("/proc/self/exe", caminho.data(), caminho.size());
        if (tamanho < 0)
            throw std::system_error(errno, std::generic_category(), "/proc/self/exe");
        if (static_cast<std::size_t>(tamanho) < caminho.size())
            return std::string(caminho.data(), static_cast<std::size_t>(tamanho));
        caminho.resize(caminho.size() * 2);
    }
}

} // namespace plataforma
