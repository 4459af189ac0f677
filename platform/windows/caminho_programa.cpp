#include "platform/caminho_programa.h"

#include "platform/windows/utf.h"

#include <windows.h>

#include <system_error>

namespace plataforma {

std::string caminhoDoPrograma() {
    std::wstring caminho(MAX_PATH, L'\0');
    for (;;) {
        const DWORD tamanho =
            GetModuleFileNameW(nullptr, caminho.data(), static_cast<DWORD>(caminho.size()));
        if (tamanho == 0)
            throw std::system_error(static_cast<int>(GetLastError()), std::system_category(),
                                    "GetModuleFileNameW");
        if (tamanho < caminho.size()) {
            caminho.resize(tamanho);
            return paraUtf8(caminho);
        }
        caminho.resize(caminho.size() * 2);
    }
}

} // namespace plataforma
