#include "platform/biblioteca_dinamica.h"

#include "platform/posix/elf.h"

#include <dlfcn.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstring>

namespace plataforma {

namespace {

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
    // The loader maps a file cut short (a copy interrupted by an update or a full disk) all the
    // same, and the process dies of a bus error when a page past the end is touched.
    else if (elf::truncado(descritor, static_cast<std::uint64_t>(estado.st_size)))
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
