// Starts a program with a raw command line, as a Windows parent application does, for the tests
// under Wine (where `wine <program> <arguments>` would write the line itself):
//   iniciar_com_linha <program>       the command line is the value of LANCADOR_LINHA_BRUTA
// Waits for the program and ends with its exit code; 127 when it could not be started.
#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <string>

int wmain(int argc, wchar_t** argv) {
    const wchar_t* linha = _wgetenv(L"LANCADOR_LINHA_BRUTA");
    if (argc != 2 || linha == nullptr) {
        std::fprintf(stderr, "usage: LANCADOR_LINHA_BRUTA=<line> iniciar_com_linha <program>\n");
        return 2;
    }
    std::wstring copia = linha; // CreateProcessW may write into the line
    STARTUPINFOW inicio{};
    inicio.cb = sizeof inicio;
    PROCESS_INFORMATION processo{};
    if (!CreateProcessW(argv[1], copia.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &inicio, &processo)) {
        std::fprintf(stderr, "iniciar_com_linha: CreateProcessW failed (%lu)\n", GetLastError());
        return 127;
    }
    WaitForSingleObject(processo.hProcess, INFINITE);
    DWORD estado = 127;
    GetExitCodeProcess(processo.hProcess, &estado);
    CloseHandle(processo.hThread);
    CloseHandle(processo.hProcess);
    return static_cast<int>(estado);
}
