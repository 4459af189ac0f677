#include "platform/biblioteca_dinamica.h"

#include "platform/posix/elf.h"

#include <dlfcn.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstring>
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

bool lerEm(int descritor, std::uint64_t posicao, std::vector<unsigned char>& destino) {
    return pread(descritor, destino.data(), destino.size(), static_cast<off_t>(posicao)) ==
           std::ssize(destino);
}

// Whether an ELF file is cut short: its program headers, or a segment the loader maps from it,
// end past the end of the file. A copy interrupted halfway (an update, a full disk) is such a
// file; the loader maps it all the same and the process dies of a bus error when a page past
// the end is touched, so it never goes to the loader. A file too short for an ELF header, or not
// ELF at all, is left to the loader, which refuses it with its own explanation.
bool elfTruncado(int descritor, std::uint64_t tamanho) {
    std::vector<unsigned char> cabecalho(64);
    if (!lerEm(descritor, 0, cabecalho) || cabecalho[0] != 0x7f || cabecalho[1] != 'E' ||
        cabecalho[2] != 'L' || cabecalho[3] != 'F')
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
    if (!lerEm(descritor, inicioDosCabecalhos, cabecalhos))
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

// The system's word for a file that is not a regular one.
std::string naoRegular(mode_t modo) {
    const char* tipo = S_ISDIR(modo)    ? "a directory"
                       : S_ISFIFO(modo) ? "a FIFO"
                       : S_ISSOCK(modo) ? "a socket"
                       : S_ISCHR(modo)  ? "a character device"
                       : S_ISBLK(modo)  ? "a block device"
                                        : "of an unknown kind";
    return std::string("not a regular file, but ") + tipo;
}

// Why the file at `caminho` could not be opened: a socket cannot be, whatever the flags; else
// the system's text for `erro`, worded as the loader words it.
std::string naoAbriu(const std::string& caminho, int erro) {
    struct stat estado {};
    if (stat(caminho.c_str(), &estado) == 0 && !S_ISREG(estado.st_mode))
        return naoRegular(estado.st_mode);
    return std::string("cannot open shared object file: ") + std::strerror(erro);
}

void substituirTodos(std::string& texto, const std::string& de, const std::string& por) {
    for (std::size_t posicao = texto.find(de); posicao != std::string::npos;
         posicao = texto.find(de, posicao + por.size()))
        texto.replace(posicao, de.size(), por);
}

// A library loaded through the name the system gives its open descriptor. The descriptor stays
// open while the library is loaded: the loader knows the library by that name, and would hand it
// out again for a later load of the same name, which, with the number free for reuse, could be
// another file.
struct BibliotecaDoDescritor {
    void* modulo;
    int descritor;
};

// Loads the open file itself, so that the file checked is the file loaded even when the path is
// replaced meanwhile. The loader's text names the path.
void* carregarDoDescritor(int descritor, const std::string& caminho, FalhaDeCarga& falha) {
    const std::string nome = "/proc/self/fd/" + std::to_string(descritor);
    // RTLD_NOW: a library whose own dependencies cannot be resolved fails here, with the
    // loader's explanation, rather than at its first call.
    void* modulo = dlopen(nome.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (modulo == nullptr) {
        const char* texto = dlerror();
        falha.texto = texto != nullptr ? texto : "";
        substituirTodos(falha.texto, nome, caminho);
        falha.outraArquitetura = elf::arquiteturaDeOutraBiblioteca(descritor);
    }
    return modulo;
}

} // namespace

// The file is opened once, without waiting (a FIFO would block an open for reading until a
// writer came), and only a regular file goes on to the checks and the loader.
AlcaBiblioteca carregarBiblioteca(const std::string& caminho, FalhaDeCarga& falha) {
    const int descritor = open(caminho.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (descritor < 0) {
        falha.texto = caminho + ": " + naoAbriu(caminho, errno);
        return nullptr;
    }
    void* modulo = nullptr;
    struct stat estado {};
    if (fstat(descritor, &estado) != 0)
        falha.texto = caminho + ": " + std::strerror(errno);
    else if (!S_ISREG(estado.st_mode))
        falha.texto = caminho + ": " + naoRegular(estado.st_mode);
    else if (elfTruncado(descritor, static_cast<std::uint64_t>(estado.st_size)))
        falha.texto = caminho + ": file too short";
    else
        modulo = carregarDoDescritor(descritor, caminho, falha);
    if (modulo == nullptr) {
        close(descritor);
        return nullptr;
    }
    return new BibliotecaDoDescritor{modulo, descritor};
}

void* funcaoDaBiblioteca(AlcaBiblioteca biblioteca, const char* nome) {
    return dlsym(static_cast<BibliotecaDoDescritor*>(biblioteca)->modulo, nome);
}

void liberarBiblioteca(AlcaBiblioteca biblioteca) {
    const auto* carregada = static_cast<BibliotecaDoDescritor*>(biblioteca);
    dlclose(carregada->modulo);
    close(carregada->descritor);
    delete carregada;
}

} // namespace plataforma
