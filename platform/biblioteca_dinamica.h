#pragma once

#include <optional>
#include <string>

// Shared libraries loaded while the program runs.

namespace plataforma {

// A loaded library, as this layer identifies it; only its functions look inside.
using AlcaBiblioteca = void*;

// Why a library file did not load.
struct FalhaDeCarga {
    // The system's text for the reason, naming the file.
    std::string texto;
    // The architecture the file is built for, when it is a library for another one than this
    // program's.
    std::optional<std::string> outraArquitetura;
};

// Loads the library file at the full path `caminho`; the libraries that it needs itself are
// looked for in its own folder first where the system allows choosing that (Windows). No system
// dialog is shown when the file is missing, and a path that is not a regular file (a FIFO, a
// socket, a device, a folder) is refused without being read. Returns nullptr when the library
// cannot be loaded, and then says why in `falha`.
AlcaBiblioteca carregarBiblioteca(const std::string& caminho, FalhaDeCarga& falha);

// Address of the function that the library exports as `nome`, or nullptr when it has none.
void* funcaoDaBiblioteca(AlcaBiblioteca biblioteca, const char* nome);

// Releases a library returned by carregarBiblioteca.
void liberarBiblioteca(AlcaBiblioteca biblioteca);

} // namespace plataforma
