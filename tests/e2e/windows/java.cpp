// A stand-in for the Java runtime's java.exe, for the Windows program's tests under Wine: started
// by the program's interpreter as "java -jar <viewer> <words...>", it records what it received
// and ends at once, or as the folder SUBSTITUTO_JAVA says (below).
//
// When LANCADOR_VISOR_REGISTRO names a file (a Unix path is read as one on Wine's drive Z:), it
// writes there, UTF-8, one per line, the words after the viewer's jar as the C runtime split
// them, as the real stand-in viewer does; the file is replaced as a whole. Beside it,
// "<file>.linha" gets the raw command line and "<file>.jar" the jar's path. A jar that does not
// exist (unless LANCADOR_VISOR_QUALQUER_JAR is set), or arguments that do not begin with -jar,
// are recorded as such an error instead of words. A jar or a report definition that does not exist
// then ends it as the real runtime and viewer end: their words on its error output, exit code 1.
//
// When SUBSTITUTO_JAVA names a folder, it then does what the folder's files say, as
// tests/e2e/java_substituto.sh does on Linux: its process id goes to "iniciados"; when "esperar"
// exists it waits for "liberado" to exist (a minute at most); "demora" seconds pass; "volume_mb"
// MiB of filler lines, then the bytes of "erros" go to its error output; its process id goes to
// "vivos"; it ends with the code in "codigo" (0 without the file).
#include "platform/windows/utf.h"

#include <windows.h>

#include <cstdlib>
#include <cwchar>
#include <string>

namespace {

std::wstring caminhoWindows(std::wstring caminho) {
    if (!caminho.empty() && caminho[0] == L'/')
        caminho = L"Z:" + caminho;
    for (wchar_t& c : caminho)
        if (c == L'/')
            c = L'\\';
    return caminho;
}

// Writes the whole file through a temporary one beside it, so that a reader never sees half.
bool gravar(const std::wstring& arquivo, const std::string& texto) {
    const std::wstring temporario = arquivo + L".tmp";
    const HANDLE saida = CreateFileW(temporario.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                     FILE_ATTRIBUTE_NORMAL, nullptr);
    if (saida == INVALID_HANDLE_VALUE)
        return false;
    DWORD escritos = 0;
    const bool ok =
        WriteFile(saida, texto.data(), static_cast<DWORD>(texto.size()), &escritos, nullptr) &&
        escritos == texto.size();
    CloseHandle(saida);
    return ok && MoveFileExW(temporario.c_str(), arquivo.c_str(), MOVEFILE_REPLACE_EXISTING);
}

bool existe(const std::wstring& arquivo) {
    return GetFileAttributesW(arquivo.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string conteudo(const std::wstring& arquivo) {
    const HANDLE entrada = CreateFileW(arquivo.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                       OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (entrada == INVALID_HANDLE_VALUE)
        return {};
    std::string texto;
    char bloco[4096];
    DWORD lidos = 0;
    while (ReadFile(entrada, bloco, sizeof bloco, &lidos, nullptr) && lidos > 0)
        texto.append(bloco, lidos);
    CloseHandle(entrada);
    return texto;
}

void acrescentarLinha(const std::wstring& arquivo, const std::string& linha) {
    const HANDLE saida =
        CreateFileW(arquivo.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                    OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (saida == INVALID_HANDLE_VALUE)
        return;
    const std::string texto = linha + "\n";
    DWORD escritos = 0;
    WriteFile(saida, texto.data(), static_cast<DWORD>(texto.size()), &escritos, nullptr);
    CloseHandle(saida);
}

// Writes to the error output; a failed write (no one reading any more) is ignored, as the Java
// runtime ignores it.
void escreverNosErros(const std::string& texto) {
    DWORD escritos = 0;
    WriteFile(GetStdHandle(STD_ERROR_HANDLE), texto.data(), static_cast<DWORD>(texto.size()),
              &escritos, nullptr);
}

int comoAPastaDiz(const std::wstring& pasta) {
    const auto arquivo = [&pasta](const wchar_t* nome) { return pasta + L"\\" + nome; };
    const std::string processo = std::to_string(GetCurrentProcessId());
    acrescentarLinha(arquivo(L"iniciados"), processo);
    // The wait ends too when the folder goes (the test has ended) or after a minute.
    if (existe(arquivo(L"esperar")))
        for (int tentativa = 0; tentativa < 1200 && existe(pasta) && !existe(arquivo(L"liberado"));
             ++tentativa)
            Sleep(50);
    if (existe(arquivo(L"demora")))
        Sleep(static_cast<DWORD>(std::atoi(conteudo(arquivo(L"demora")).c_str())) * 1000);
    if (existe(arquivo(L"volume_mb"))) {
        const std::string linha = "linha de enchimento da saída de erros\n";
        std::string bloco;
        while (bloco.size() < 65536)
            bloco += linha;
        bloco.resize(65536);
        const long blocos = std::atol(conteudo(arquivo(L"volume_mb")).c_str()) * 16;
        for (long i = 0; i < blocos; ++i)
            escreverNosErros(bloco);
    }
    if (existe(arquivo(L"erros")))
        escreverNosErros(conteudo(arquivo(L"erros")));
    acrescentarLinha(arquivo(L"vivos"), processo);
    return std::atoi(conteudo(arquivo(L"codigo")).c_str());
}

// What the runtime says when the viewer's jar is missing, and the viewer when the report
// definition (the path after the system word, plus ".relatorio") is; the exit code they end with.
int semOQueOVisualizadorPrecisa(int argc, wchar_t** argv) {
    if (_wgetenv(L"LANCADOR_VISOR_QUALQUER_JAR") != nullptr || argc < 3)
        return 0;
    if (!existe(argv[2])) {
        escreverNosErros("Error: Unable to access jarfile " + plataforma::paraUtf8(argv[2]) + "\n");
        return 1;
    }
    if (argc >= 5 && !existe(std::wstring(argv[4]) + L".relatorio")) {
        escreverNosErros("Definição de relatório não encontrada: " + plataforma::paraUtf8(argv[4]) +
                         ".relatorio\n");
        return 1;
    }
    return 0;
}

// Records the words received, as above; false when the record could not be written.
bool registrar(const std::wstring& registro, int argc, wchar_t** argv) {

    std::string palavras;
    if (argc < 3 || std::wcscmp(argv[1], L"-jar") != 0) {
        palavras = "ERRO: os argumentos não começam com -jar <arquivo>\n";
    } else if (_wgetenv(L"LANCADOR_VISOR_QUALQUER_JAR") == nullptr &&
               GetFileAttributesW(argv[2]) == INVALID_FILE_ATTRIBUTES) {
        palavras =
            "ERRO: o arquivo do visualizador não existe: " + plataforma::paraUtf8(argv[2]) + "\n";
    } else {
        for (int i = 3; i < argc; ++i)
            palavras += plataforma::paraUtf8(argv[i]) + "\n";
    }
    return gravar(registro + L".linha", plataforma::paraUtf8(GetCommandLineW()) + "\n") &&
           gravar(registro + L".jar",
                  (argc >= 3 ? plataforma::paraUtf8(argv[2]) : std::string()) + "\n") &&
           gravar(registro, palavras);
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    const wchar_t* registro = _wgetenv(L"LANCADOR_VISOR_REGISTRO");
    const bool registrado = registro == nullptr || *registro == L'\0' ||
                            registrar(caminhoWindows(registro), argc, argv);
    if (const int falta = semOQueOVisualizadorPrecisa(argc, argv); falta != 0)
        return falta;
    const wchar_t* pasta = _wgetenv(L"SUBSTITUTO_JAVA");
    if (pasta != nullptr && *pasta != L'\0')
        return comoAPastaDiz(caminhoWindows(pasta));
    return registrado ? 0 : 1;
}
