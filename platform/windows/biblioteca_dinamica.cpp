#include "platform/biblioteca_dinamica.h"

#include "platform/windows/pe.h"
#include "platform/windows/utf.h"

#include <windows.h>

#include <vector>

namespace plataforma {

namespace {

// The process's DLL search directory, if one is set.
struct DiretorioDll {
    bool definido = false;
    std::wstring pasta;
};

DiretorioDll lerDiretorioDll() {
    DiretorioDll atual;
    const DWORD necessario = GetDllDirectoryW(0, nullptr);
    if (necessario <= 1)
        return atual;
    atual.pasta.resize(necessario);
    const DWORD copiados = GetDllDirectoryW(necessario, atual.pasta.data());
    atual.pasta.resize(copiados < necessario ? copiados : 0);
    atual.definido = !atual.pasta.empty();
    return atual;
}

std::string textoDoErroDoSistema(DWORD codigo) {
    wchar_t* texto = nullptr;
    const DWORD tamanho = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, codigo, 0, reinterpret_cast<wchar_t*>(&texto), 0, nullptr);
    if (tamanho == 0 || texto == nullptr)
        return {};
    std::wstring resultado(texto, tamanho);
    LocalFree(texto);
    return paraUtf8(resultado);
}

std::wstring pastaDe(const std::wstring& caminho) {
    const std::size_t separador = caminho.find_last_of(L"\\/");
    return separador == std::wstring::npos ? std::wstring() : caminho.substr(0, separador);
}

// Loads every other DLL of the folder by its full path, over and over while one more loads, so
// that each finds the ones it needs among those already loaded. They stay loaded, as the client
// library does; one that does not load is left out, and the client library's own load then says
// what is missing.
void carregarAsVizinhas(const std::wstring& pasta, const std::wstring& biblioteca) {
    std::vector<std::wstring> faltam;
    WIN32_FIND_DATAW achado{};
    const HANDLE busca = FindFirstFileW((pasta + L"\\*.dll").c_str(), &achado);
    if (busca == INVALID_HANDLE_VALUE)
        return;
    do {
        const std::wstring caminho = pasta + L"\\" + achado.cFileName;
        if (lstrcmpiW(caminho.c_str(), biblioteca.c_str()) != 0)
            faltam.push_back(caminho);
    } while (FindNextFileW(busca, &achado));
    FindClose(busca);

    const UINT modoAnterior = SetErrorMode(SEM_NOOPENFILEERRORBOX);
    for (bool carregouMais = true; carregouMais;) {
        carregouMais = false;
        std::erase_if(faltam, [&carregouMais](const std::wstring& caminho) {
            const bool carregou = LoadLibraryW(caminho.c_str()) != nullptr;
            carregouMais = carregouMais || carregou;
            return carregou;
        });
    }
    SetErrorMode(modoAnterior);
}

} // namespace

AlcaBiblioteca carregarBiblioteca(const std::string& caminho, FalhaDeCarga& falha) {
    const std::wstring caminhoLargo = paraUtf16(caminho);
    // The loader's word for a folder would be "Access is denied".
    const DWORD atributos = GetFileAttributesW(caminhoLargo.c_str());
    if (atributos != INVALID_FILE_ATTRIBUTES && (atributos & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        falha.texto = caminho + ": not a regular file, but a directory";
        return nullptr;
    }

    // The folder of the library becomes the DLL search directory for the load, so that the
    // libraries it needs are found beside it; the previous setting comes back afterwards.
    const std::wstring pasta = pastaDe(caminhoLargo);
    const DiretorioDll anterior = lerDiretorioDll();
    SetDllDirectoryW(pasta.c_str());

    // The loader reads its search directories as a list separated by ";", so a folder whose name
    // holds one cannot serve as the DLL search directory: the libraries beside the client
    // library are then loaded first, each by its full path, and the loader finds them loaded.
    if (pasta.find(L';') != std::wstring::npos)
        carregarAsVizinhas(pasta, caminhoLargo);
    const UINT modoAnterior = SetErrorMode(SEM_NOOPENFILEERRORBOX);
    HMODULE biblioteca = LoadLibraryW(caminhoLargo.c_str());
    const DWORD codigo = GetLastError();
    SetErrorMode(modoAnterior);

    SetDllDirectoryW(anterior.definido ? anterior.pasta.c_str() : nullptr);

    if (biblioteca == nullptr) {
        falha.texto = textoDoErroDoSistema(codigo);
        falha.outraArquitetura = pe::arquiteturaDeOutraBiblioteca(caminho);
    }
    return biblioteca;
}

void* funcaoDaBiblioteca(AlcaBiblioteca biblioteca, const char* nome) {
    return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(biblioteca), nome));
}

void liberarBiblioteca(AlcaBiblioteca biblioteca) {
    FreeLibrary(static_cast<HMODULE>(biblioteca));
}

} // namespace plataforma
