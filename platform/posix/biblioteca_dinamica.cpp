#include "platform/biblioteca_dinamica.h"

#include <dlfcn.h>
#include <sys/stat.h>

#include <cstdint>
#include <fstream>
#include <vector>

namespace plataforma {

namespace {

// Reads an unsigned integer of `bytes` bytes at `posicao`, in the file's byte order.
std::uint64_t lerInteiro(const std::vector<unsigned char>& dados, std::size_t posicao,
                         std::size_t bytes, bool bigEndian) {
    std::uint64_t valor = 0;
    for (std::size_t i = 0; i < bytes; ++i) {
        const unsigned char byte = dados[posicao + (bigEndian ? i : bytes - 1 - i)];
        valor = (valor << 8) | byte;
    }
    return valor;
}

// Whether an ELF file is cut short: its program headers, or a segment the loader maps from it,
// end past the end of the file. A copy interrupted halfway (an update, a full disk) is such a
// file; the loader maps it all the same and the process dies of a bus error when a page past
// the end is touched, so it never goes to the loader. A file too short for an ELF header, or not
// ELF at all, is left to the loader, which refuses it with its own explanation.
bool elfTruncado(const std::string& caminho) {
    struct stat estado {};
    if (stat(caminho.c_str(), &estado) != 0 || !S_ISREG(estado.st_mode))
        return false;
    const auto tamanho = static_cast<std::uint64_t>(estado.st_size);
    std::ifstream arquivo(caminho, std::ios::binary);
    std::vector<unsigned char> cabecalho(64);
    if (!arquivo.read(reinterpret_cast<char*>(cabecalho.data()), std::ssize(cabecalho)) ||
        cabecalho[0] != 0x7f || cabecalho[1] != 'E' || cabecalho[2] != 'L' || cabecalho[3] != 'F')
        return false;
    const bool de64 = cabecalho[4] == 2;
    const bool bigEndian = cabecalho[5] == 2;
    const std::size_t largura = de64 ? 8 : 4;
    const std::uint64_t inicioDosCabecalhos =
        lerInteiro(cabecalho, de64 ? 32 : 28, largura, bigEndian);
    const std::uint64_t tamanhoDoCabecalho = lerInteiro(cabecalho, de64 ? 54 : 42, 2, bigEndian);
    const std::uint64_t quantidade = lerInteiro(cabecalho, de64 ? 56 : 44, 2, bigEndian);
    const std::uint64_t minimo = de64 ? 56 : 32;
    if (quantidade == 0)
        return false;
    if (tamanhoDoCabecalho < minimo || inicioDosCabecalhos > tamanho ||
        quantidade * tamanhoDoCabecalho > tamanho - inicioDosCabecalhos)
        return true;

    std::vector<unsigned char> cabecalhos(quantidade * tamanhoDoCabecalho);
    arquivo.seekg(static_cast<std::streamoff>(inicioDosCabecalhos));
    if (!arquivo.read(reinterpret_cast<char*>(cabecalhos.data()), std::ssize(cabecalhos)))
        return true;
    constexpr std::uint64_t segmentoCarregavel = 1; // PT_LOAD
    for (std::uint64_t i = 0; i < quantidade; ++i) {
        const std::size_t base = i * tamanhoDoCabecalho;
        if (lerInteiro(cabecalhos, base, 4, bigEndian) != segmentoCarregavel)
            continue;
        const std::uint64_t inicio =
            lerInteiro(cabecalhos, base + (de64 ? 8 : 4), largura, bigEndian);
        const std::uint64_t bytes =
            lerInteiro(cabecalhos, base + (de64 ? 32 : 16), largura, bigEndian);
        if (inicio > tamanho || bytes > tamanho - inicio)
            return true;
    }
    return false;
}

} // namespace

AlcaBiblioteca carregarBiblioteca(const std::string& caminho, std::string& erro) {
    if (elfTruncado(caminho)) {
        erro = caminho + ": file too short";
        return nullptr;
    }
    // RTLD_NOW: a library whose own dependencies cannot be resolved fails here, with the
    // loader's explanation, rather than at its first call.
    void* biblioteca = dlopen(caminho.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (biblioteca == nullptr) {
        const char* texto = dlerror();
        erro = texto != nullptr ? texto : "";
    }
    return biblioteca;
}

void* funcaoDaBiblioteca(AlcaBiblioteca biblioteca, const char* nome) {
    return dlsym(biblioteca, nome);
}

void liberarBiblioteca(AlcaBiblioteca biblioteca) {
    dlclose(biblioteca);
}

} // namespace plataforma
