#include "platform/biblioteca_dinamica.h"

#include <dlfcn.h>

namespace plataforma {

AlcaBiblioteca carregarBiblioteca(const std::string& caminho, std::string& erro) {
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
