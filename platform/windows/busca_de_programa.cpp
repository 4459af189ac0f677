#include "platform/busca_de_programa.h"

#include "platform/windows/utf.h"

#include <windows.h>

#include <vector>

namespace plataforma {

namespace {

std::wstring variavel(const wchar_t* nome) {
    const DWORD tamanho = GetEnvironmentVariableW(nome, nullptr, 0);
    if (tamanho == 0)
        return {};
    std::wstring valor(tamanho, L'\0');
    valor.resize(GetEnvironmentVariableW(nome, valor.data(), tamanho));
    return valor;
}

std::vector<std::wstring> separar(const std::wstring& lista) {
    std::vector<std::wstring> partes;
    std::size_t inicio = 0;
    for (;;) {
        const std::size_t fim = lista.find(L';', inicio);
        std::wstring parte = lista.substr(inicio, fim - inicio);
        if (!parte.empty())
            partes.push_back(std::move(parte));
        if (fim == std::wstring::npos)
            return partes;
        inicio = fim + 1;
    }
}

bool arquivo(const std::wstring& caminho) {
    const DWORD atributos = GetFileAttributesW(caminho.c_str());
    return atributos != INVALID_FILE_ATTRIBUTES && (atributos & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

} // namespace

bool programaEncontravel(const std::string& nome) {
    const std::wstring programa = paraUtf16(nome);
    std::wstring extensoes = variavel(L"PATHEXT");
    if (extensoes.empty())
        extensoes = L".COM;.EXE;.BAT;.CMD";
    std::vector<std::wstring> candidatos;
    if (programa.find(L'.') != std::wstring::npos)
        candidatos.push_back(programa);
    for (const std::wstring& extensao : separar(extensoes))
        candidatos.push_back(programa + extensao);

    std::vector<std::wstring> pastas{L"."};
    for (std::wstring& pasta : separar(variavel(L"PATH")))
        pastas.push_back(std::move(pasta));
    for (std::wstring pasta : pastas) {
        // A folder may be written between double quotes in PATH.
        std::erase(pasta, L'"');
        if (pasta.empty())
            continue;
        if (pasta.back() != L'\\' && pasta.back() != L'/')
            pasta += L'\\';
        for (const std::wstring& candidato : candidatos)
            if (arquivo(pasta + candidato))
                return true;
    }
    return false;
}

} // namespace plataforma
