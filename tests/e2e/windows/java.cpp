// A stand-in for the Java runtime's java.exe, for the Windows program's tests under Wine: started
// by the program's interpreter as "java -jar <viewer> <words...>", it records what it received
// and ends at once.
//
// When LANCADOR_VISOR_REGISTRO names a file (a Unix path is read as one on Wine's drive Z:), it
// writes there, UTF-8, one per line, the words after the viewer's jar as the C runtime split
// them, as the real stand-in viewer does; the file is replaced as a whole. Beside it,
// "<file>.linha" gets the raw command line and "<file>.jar" the jar's path. A jar that does not
// exist (unless LANCADOR_VISOR_QUALQUER_JAR is set), or arguments that do not begin with -jar,
// are recorded as such an error instead of words.
#include "platform/windows/utf.h"

#include <windows.h>

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

} // namespace

int wmain(int argc, wchar_t** argv) {
    const wchar_t* variavel = _wgetenv(L"LANCADOR_VISOR_REGISTRO");
    if (variavel == nullptr || *variavel == L'\0')
        return 0;
    const std::wstring registro = caminhoWindows(variavel);

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
    const bool ok = gravar(registro + L".linha", plataforma::paraUtf8(GetCommandLineW()) + "\n") &&
                    gravar(registro + L".jar",
                           (argc >= 3 ? plataforma::paraUtf8(argv[2]) : std::string()) + "\n") &&
                    gravar(registro, palavras);
    return ok ? 0 : 1;
}
