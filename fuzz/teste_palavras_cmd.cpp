// The model of palavras_cmd.h against the real cmd.exe, under Wine: for a sample of program
// folders full of the interpreter's special characters, the viewer's command is run as the
// program runs it ("cmd.exe /c ...") with the stand-in java.exe of tests/e2e first on the search
// path; the words that java.exe receives are the model's and the intended ones, and no piece of
// a folder name runs as a command. Built for Windows only.
#include "fuzz/palavras_cmd.h"
#include "platform/windows/utf.h"
#include "report/ComandoJasper.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

namespace fs = std::filesystem;

namespace {

const std::string relatorio = "mv_relacao_licensa_cliente";
const std::string parametros = " P_DTDE=2024-03-01 P_CBQD=S P_ORDEM=0";

std::vector<std::string> linhasDe(const fs::path& arquivo) {
    std::ifstream entrada(arquivo, std::ios::binary);
    std::vector<std::string> linhas;
    for (std::string linha; std::getline(entrada, linha);)
        linhas.push_back(linha);
    return linhas;
}

// Runs cmd.exe with these parameters, as ShellExecuteW does, and waits for it; returns what
// java.exe received: its whole argument list.
std::vector<std::string> comoOCmdExecuta(const std::string& parametrosDoCmd,
                                         const fs::path& registro) {
    fs::remove(registro);
    std::wstring linha = L"cmd.exe" + plataforma::paraUtf16(parametrosDoCmd);
    STARTUPINFOW inicio{};
    inicio.cb = sizeof inicio;
    PROCESS_INFORMATION processo{};
    if (!CreateProcessW(nullptr, linha.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr,
                        nullptr, &inicio, &processo))
        throw std::runtime_error("CreateProcessW cmd.exe");
    WaitForSingleObject(processo.hProcess, 30000);
    CloseHandle(processo.hThread);
    CloseHandle(processo.hProcess);
    if (!fs::exists(registro))
        return {"(java.exe did not run)"};
    std::vector<std::string> argumentos{"java", "-jar"};
    const std::vector<std::string> jar = linhasDe(registro.string() + ".jar");
    argumentos.push_back(jar.empty() ? std::string() : jar.front());
    for (const std::string& palavra : linhasDe(registro))
        argumentos.push_back(palavra);
    return argumentos;
}

// Folder names with the characters that mean something to cmd.exe, non-ASCII letters, and
// variable names that exist (PATH, OS) between percent and exclamation signs; then random ones
// from the same alphabet, always the same sample.
std::vector<std::string> pastasDeAmostra() {
    std::vector<std::string> pastas{
        "C:\\win app & md canario1 & (x) 100% ^ %PATH% !PATH! ; 'ção' %%",
        "C:\\a%OS%b",
        "C:\\%OS%",
        "C:\\x%",
        "C:\\%",
        "C:\\a^b^^c",
        "C:\\(a)|b<c>d",
        "C:\\dois  brancos",
        "C:\\a!OS!b",
        "C:\\relat\xC3\xB3rios\\v1",
        "C:\\x\\%PATH%\\y",
        "C:\\a&&md canario2||md canario3",
    };
    const std::string alfabeto = "ab &|<>()^%!;,='@#$~[]{}+-_.\\";
    std::mt19937 gerador(20261210);
    std::uniform_int_distribution<std::size_t> tamanho(1, 14), letra(0, alfabeto.size() - 1);
    for (int i = 0; i < 60; ++i) {
        std::string nome;
        for (std::size_t n = tamanho(gerador); n > 0; --n)
            nome += alfabeto[letra(gerador)];
        pastas.push_back("C:\\p" + nome + "z"); // a name ends in a letter, as folders do
    }
    return pastas;
}

} // namespace

TEST(PalavrasCmd, OModeloEOCmdDeVerdadeDaoAsPalavrasPretendidas) {
    const fs::path trabalho = fs::temp_directory_path() / "teste_palavras_cmd";
    fs::remove_all(trabalho);
    fs::create_directories(trabalho);
    fs::current_path(
        trabalho); // where a command slipped out of a folder name would leave its canary
    const fs::path registro = trabalho / "visor";
    SetEnvironmentVariableW(L"LANCADOR_VISOR_REGISTRO", registro.wstring().c_str());
    SetEnvironmentVariableW(L"LANCADOR_VISOR_QUALQUER_JAR", L"1");

    for (const std::string& pasta : pastasDeAmostra()) {
        SCOPED_TRACE(pasta);
        const std::string comando = MontarComandoJasper(pasta + "\\RelLicensaCliente.exe", '\\',
                                                        relatorio, parametros, "PDF", "N");
        ASSERT_EQ(comando.rfind(" /c ", 0), 0u) << comando;
        const auto linha = linhaAposInterpretadorWindows(std::string_view(comando).substr(3));
        ASSERT_TRUE(linha.has_value()) << "unsafe by the model: " << comando;
        const std::vector<std::string> esperadas{"java",
                                                 "-jar",
                                                 pasta + "\\jasperviewer.jar",
                                                 "Marvoss",
                                                 pasta + "\\relatorios\\" + relatorio,
                                                 "PDF",
                                                 "N",
                                                 "P_DTDE=2024-03-01",
                                                 "P_CBQD=S",
                                                 "P_ORDEM=0"};
        EXPECT_EQ(argumentosDoProgramaWindows(*linha), esperadas) << comando;
        EXPECT_EQ(comoOCmdExecuta(comando, registro), esperadas) << comando;
    }
    std::vector<std::string> sobras;
    for (const auto& entrada : fs::directory_iterator(trabalho))
        if (entrada.path().filename().string().rfind("visor", 0) != 0)
            sobras.push_back(entrada.path().filename().string());
    EXPECT_TRUE(sobras.empty()) << "a piece of a folder name ran as a command";
}
