#pragma once

#include <string>

// Shared libraries loaded while the program runs.

namespace plataforma {

// A loaded library, as the system identifies it.
using AlcaBiblioteca = void*;

// Loads the library file at the full path `caminho`; the libraries that it needs itself are
// looked for in its own folder first where the system allows choosing that (Windows). No system
// dialog is shown when the file is missing. Returns nullptr when the library cannot be loaded
// and then puts the system's text for the reason into `erro`.
AlcaBiblioteca carregarBiblioteca(const std::string& caminho, std::string& erro);

// Address of the function that the library exports as `nome`, or nullptr when it has none.
void* funcaoDaBiblioteca(AlcaBiblioteca biblioteca, const char* nome);

// Releases a library returned by carregarBiblioteca.
void liberarBiblioteca(AlcaBiblioteca biblioteca);

} // namespace plataforma
