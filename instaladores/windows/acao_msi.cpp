// The MSI's custom action, run before the installation changes anything (install, upgrade or
// removal): while a file in the program's folder is in use (the program open, a library it
// loaded, the viewer reading its jar), it says which one and waits for Repetir; Cancelar, or an
// installation without a user interface (/qn), ends the installation with nothing changed.
#include <windows.h>

#include <msi.h>
#include <msiquery.h>

#include <string>

namespace {

std::wstring propriedade(MSIHANDLE sessao, const wchar_t* nome) {
    wchar_t vazio[1] = L"";
    DWORD tamanho = 0;
    MsiGetPropertyW(sessao, nome, vazio, &tamanho);
    std::wstring valor(tamanho + 1, L'\0');
    tamanho = static_cast<DWORD>(valor.size());
    MsiGetPropertyW(sessao, nome, valor.data(), &tamanho);
    valor.resize(tamanho);
    return valor;
}

// Open elsewhere, a file cannot be opened for writing without sharing.
bool emUso(const std::wstring& caminho) {
    const HANDLE arquivo =
        CreateFileW(caminho.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    if (arquivo == INVALID_HANDLE_VALUE)
        return GetLastError() == ERROR_SHARING_VIOLATION;
    CloseHandle(arquivo);
    return false;
}

// The first file in use in the folder (its path ending with a separator) or in its subfolders;
// empty when there is none, or no such folder.
std::wstring arquivoEmUso(const std::wstring& pasta) {
    WIN32_FIND_DATAW dados;
    const HANDLE busca = FindFirstFileW((pasta + L"*").c_str(), &dados);
    if (busca == INVALID_HANDLE_VALUE)
        return {};
    std::wstring achado;
    do {
        const std::wstring nome = dados.cFileName;
        if (nome == L"." || nome == L"..")
            continue;
        if (dados.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            achado = arquivoEmUso(pasta + nome + L"\\");
        else if (emUso(pasta + nome))
            achado = pasta + nome;
    } while (achado.empty() && FindNextFileW(busca, &dados));
    FindClose(busca);
    return achado;
}

// Shows the text as the installation's error with Repetir and Cancelar; the answer (IDRETRY,
// IDCANCEL, or 0 without a user interface). The text is the record's field 1, shown through the
// template "[1]": as the template itself, a folder named like "C:\Apps [TI]" would have its
// bracketed part replaced by a property's value.
int perguntar(MSIHANDLE sessao, const std::wstring& texto) {
    const MSIHANDLE registro = MsiCreateRecord(1);
    MsiRecordSetStringW(registro, 0, L"[1]");
    MsiRecordSetStringW(registro, 1, texto.c_str());
    const int resposta = MsiProcessMessage(
        sessao, static_cast<INSTALLMESSAGE>(INSTALLMESSAGE_ERROR | MB_RETRYCANCEL | MB_ICONWARNING),
        registro);
    MsiCloseHandle(registro);
    return resposta;
}

} // namespace

// The folder the installation goes to and the one an earlier version is installed in, which
// differ when the command line names another folder.
extern "C" __declspec(dllexport) UINT __stdcall EsperarFimDoPrograma(MSIHANDLE sessao) {
    for (const wchar_t* propriedadeDaPasta : {L"PASTA_INSTALADA", L"INSTALLDIR"}) {
        std::wstring pasta = propriedade(sessao, propriedadeDaPasta);
        if (pasta.empty())
            continue;
        if (pasta.back() != L'\\')
            pasta += L'\\';
        for (;;) {
            const std::wstring arquivo = arquivoEmUso(pasta);
            if (arquivo.empty())
                break;
            const int resposta =
                perguntar(sessao, L"O " + propriedade(sessao, L"ProductName") +
                                      L" está aberto: o arquivo " + arquivo +
                                      L" está em uso.\r\n\r\nFeche o programa e clique em Repetir, "
                                      L"ou clique em Cancelar para sair sem alterar a instalação.");
            if (resposta != IDRETRY)
                return resposta == IDCANCEL ? ERROR_INSTALL_USEREXIT : ERROR_INSTALL_FAILURE;
        }
    }
    return ERROR_SUCCESS;
}
