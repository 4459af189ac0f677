// Reads the command line of another running program from outside it, as Task Manager and
// Process Explorer do, for the tests under Wine:
//   ler_linha_de_comando <executable's file name>
// Prints, UTF-8, the line held in the process's parameters block in its own memory (found through
// its PEB). Exit code 1 when no such process runs or its memory cannot be read.
#include "platform/windows/utf.h"

#include <windows.h>

#include <tlhelp32.h>
#include <winternl.h>

#include <cstdio>
#include <string>

namespace {

DWORD processoPeloNome(const wchar_t* nome) {
    const HANDLE retrato = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    PROCESSENTRY32W processo{};
    processo.dwSize = sizeof processo;
    DWORD achado = 0;
    for (BOOL ha = Process32FirstW(retrato, &processo); ha && achado == 0;
         ha = Process32NextW(retrato, &processo))
        if (lstrcmpiW(processo.szExeFile, nome) == 0)
            achado = processo.th32ProcessID;
    CloseHandle(retrato);
    return achado;
}

template <typename T> bool lerDoProcesso(HANDLE processo, const void* endereco, T& destino) {
    SIZE_T lidos = 0;
    return ReadProcessMemory(processo, endereco, &destino, sizeof destino, &lidos) &&
           lidos == sizeof destino;
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc != 2)
        return 2;
    const DWORD id = processoPeloNome(argv[1]);
    const HANDLE processo =
        id == 0 ? nullptr : OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, id);
    if (processo == nullptr)
        return 1;
    PROCESS_BASIC_INFORMATION basica{};
    PEB peb{};
    RTL_USER_PROCESS_PARAMETERS parametros{};
    const bool lido = NtQueryInformationProcess(processo, ProcessBasicInformation, &basica,
                                                sizeof basica, nullptr) == 0 &&
                      lerDoProcesso(processo, basica.PebBaseAddress, peb) &&
                      lerDoProcesso(processo, peb.ProcessParameters, parametros);
    std::wstring linha(lido ? parametros.CommandLine.Length / sizeof(wchar_t) : 0, L'\0');
    SIZE_T lidos = 0;
    const bool inteira =
        lido && ReadProcessMemory(processo, parametros.CommandLine.Buffer, linha.data(),
                                  parametros.CommandLine.Length, &lidos);
    CloseHandle(processo);
    if (!inteira)
        return 1;
    std::printf("%s\n", plataforma::paraUtf8(linha).c_str());
    return 0;
}
