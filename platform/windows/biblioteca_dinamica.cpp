#include "platform/biblioteca_dinamica.h"

#include "platform/windows/utf.h"

#include <windows.h>

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

} // namespace

AlcaBiblioteca carregarBiblioteca(const std::string& caminho, std::string& erro) {
    const std::wstring caminhoLargo = paraUtf16(caminho);

    // The folder of the library becomes the DLL search directory for the load, so that the
    // libraries it needs are found beside it; the previous setting comes back afterwards.
    const DiretorioDll anterior = lerDiretorioDll();
    SetDllDirectoryW(pastaDe(caminhoLargo).c_str());

    const UINT modoAnterior = SetErrorMode(SEM_NOOPENFILEERRORBOX);
    HMODULE biblioteca = LoadLibraryW(caminhoLargo.c_str());
    const DWORD codigo = GetLastError();
    SetErrorMode(modoAnterior);

    SetDllDirectoryW(anterior.definido ? anterior.pasta.c_str() : nullptr);

    if (biblioteca == nullptr)
        erro = textoDoErroDoSistema(codigo);
    return biblioteca;
}

void* funcaoDaBiblioteca(AlcaBiblioteca biblioteca, const char* nome) {
    return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(biblioteca), nome));
}

void liberarBiblioteca(AlcaBiblioteca biblioteca) {
    FreeLibrary(static_cast<HMODULE>(biblioteca));
}

} // namespace plataforma
