// The command that starts the viewer, for any path of the installed program: the interpreter must
// hand the viewer exactly the intended words, with nothing expanded or run besides.

#include "fuzz/palavras_cmd.h"
#include "fuzz/palavras_shell.h"
#include "fuzz/verificar.h"
#include "report/ComandoJasper.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <array>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace {

constexpr std::string_view relatorio = "mv_relacao_licensa_cliente";
// As the report request joins its lines: each preceded by one blank.
constexpr std::string_view parametros = " P_DTDE=2024-03-01 P_DTATE=2024-03-31 P_CBQD=S P_ORDEM=0";

std::string pastaDeReferencia(std::string_view caminho, char separador) {
    const bool windows = separador == '\\';
    std::size_t ultimo = std::string_view::npos;
    for (std::size_t i = 0; i < caminho.size(); ++i)
        if (caminho[i] == separador || (windows && caminho[i] == ':'))
            ultimo = i;
    if (ultimo == std::string_view::npos)
        return {};
    const bool raiz =
        ultimo == 0 || caminho[ultimo - 1] == separador || (windows && caminho[ultimo - 1] == ':');
    const bool semSeparadorFinal = caminho[ultimo] == separador && !raiz;
    return std::string(caminho.substr(0, semSeparadorFinal ? ultimo : ultimo + 1));
}

std::vector<std::string> palavrasEsperadas(const std::string& pasta, char separador,
                                           const std::string& formato) {
    const std::string sep(1, separador);
    // One separator between the folder and a name, also after a root folder.
    const std::string naPasta = pasta.ends_with(separador) ? pasta : pasta + sep;
    return {"java",
            "-jar",
            naPasta + "jasperviewer.jar",
            "Marvoss",
            naPasta + "relatorios" + sep + std::string(relatorio),
            formato,
            "N",
            "P_DTDE=2024-03-01",
            "P_DTATE=2024-03-31",
            "P_CBQD=S",
            "P_ORDEM=0"};
}

void verificarPosix(const std::string& caminho, const std::string& formato) {
    const std::string comando = MontarComandoJasper(caminho, '/', std::string(relatorio),
                                                    std::string(parametros), formato, "N");
    // The interpreter runs what follows the switch.
    VERIFICAR(comando.starts_with(" /c "));
    const auto palavras = palavrasDoShell(std::string_view(comando).substr(3));
    if (!palavras)
        std::fprintf(stderr, "comando inseguro: [%s]\n", comando.c_str());
    VERIFICAR(palavras.has_value());
    VERIFICAR(*palavras == palavrasEsperadas(pastaDeReferencia(caminho, '/'), '/', formato));
}

void verificarWindows(const std::string& caminho, const std::string& formato) {
    const std::string pasta = pastaDeReferencia(caminho, '\\');
    const bool aceitavel = std::ranges::none_of(
        pasta, [](char c) { return c == '"' || static_cast<unsigned char>(c) < 0x20; });
    std::string comando;
    try {
        comando = MontarComandoJasper(caminho, '\\', std::string(relatorio),
                                      std::string(parametros), formato, "N");
    } catch (const std::invalid_argument&) {
        VERIFICAR(!aceitavel);
        return;
    }
    VERIFICAR(aceitavel);
    VERIFICAR(comando.starts_with(" /c "));
    const auto linha = linhaAposInterpretadorWindows(std::string_view(comando).substr(3));
    if (!linha)
        std::fprintf(stderr, "comando inseguro: [%s]\n", comando.c_str());
    VERIFICAR(linha.has_value());
    VERIFICAR(argumentosDoProgramaWindows(*linha) == palavrasEsperadas(pasta, '\\', formato));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* dados, std::size_t tamanho) {
    static const std::array formatos{"VIS", "PDF", "XLS", "HTML"};
    FuzzedDataProvider entrada(dados, tamanho);
    const std::string formato =
        formatos[entrada.ConsumeIntegralInRange<std::size_t>(0, formatos.size() - 1)];
    // A path as the system reports it: it cannot hold a NUL.
    std::string caminho = entrada.ConsumeRemainingBytesAsString();
    std::erase(caminho, '\0');

    verificarPosix(caminho, formato);
    verificarWindows(caminho, formato);
    return 0;
}
