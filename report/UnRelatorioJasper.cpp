#include "report/UnRelatorioJasper.h"

#include "messages/UnFuncao.h"
#include "platform/busca_de_programa.h"
#include "platform/caminho_programa.h"
#include "platform/interpretador.h"
#include "report/ComandoJasper.h"
#include "report/pcnConversao.h"

#include <cstdio>
#include <exception>
#include <filesystem>
#include <fstream>
#include <utility>

namespace {

std::filesystem::path caminhoDeUtf8(const std::string& texto) {
    return std::filesystem::path(std::u8string(texto.begin(), texto.end()));
}

VigiaDoInterpretador& vigiaAtual() {
    static VigiaDoInterpretador vigia;
    return vigia;
}

// The viewer runs on Java, from the program's folder: when the interpreter will not find "java",
// or the folder lacks the viewer, the user learns it here, since the launch itself reports
// nothing. The command is handed over all the same, so that a false alarm costs nothing.
void lancarComAvisos(const std::string& parametros) {
    if (!plataforma::programaEncontravel("java"))
        Mensagem("O Java, necessário para abrir o visualizador de relatórios, não foi encontrado "
                 "neste computador. Instale o Java ou peça ao administrador que o inclua no "
                 "caminho de busca (PATH).",
                 Advertencia);
    const std::string aviso = avisoDeVisualizadorAusente(
        PastaDoPrograma(plataforma::caminhoDoPrograma(), plataforma::separadorDePastas));
    if (!aviso.empty())
        Mensagem(aviso, Advertencia);
    std::unique_ptr<plataforma::InterpretadorIniciado> interpretador =
        plataforma::iniciarInterpretadorOculto(parametros);
    if (vigiaAtual())
        vigiaAtual()(std::move(interpretador));
}

// How an item of the program's folder stands for the viewer, which reads the file and looks into
// the folder: a folder the user may not look into makes its items unreadable, not missing.
enum class Situacao { presente, ausente, ilegivel };

Situacao situacaoDoItem(const std::filesystem::path& item, bool pasta) {
    std::error_code erro;
    const std::filesystem::file_status estado = std::filesystem::status(item, erro);
    if (erro == std::errc::permission_denied)
        return Situacao::ilegivel;
    if (!(pasta ? std::filesystem::is_directory(estado) : std::filesystem::is_regular_file(estado)))
        return Situacao::ausente;
    if (!pasta && !std::ifstream(item, std::ios::binary))
        return Situacao::ilegivel;
    return Situacao::presente;
}

LancadorDoInterpretador& lancadorAtual() {
    static LancadorDoInterpretador lancador = lancarComAvisos;
    return lancador;
}

// "yyyy-mm-dd" with ASCII digits and a literal hyphen whatever the locale; the time of day is
// dropped (floor, so that times before 1970 keep their own day).
std::string DataParaTexto(TDateTime p_valor) {
    const std::chrono::year_month_day data{std::chrono::floor<std::chrono::days>(p_valor)};
    char texto[32];
    std::snprintf(texto, sizeof texto, "%04d-%02u-%02u", static_cast<int>(data.year()),
                  static_cast<unsigned>(data.month()), static_cast<unsigned>(data.day()));
    return texto;
}

} // namespace

TRelatorioJasper::TRelatorioJasper(std::string p_Arquivo) : fArquivo(std::move(p_Arquivo)) {}

void TRelatorioJasper::addParametro(const std::string& p_key, const std::string& p_valor) {
    fListaParametros.push_back(p_key + "=" + (p_valor.empty() ? std::string("0") : p_valor));
}

void TRelatorioJasper::addParametro(const std::string& p_key, std::int32_t p_valor) {
    addParametro(p_key, std::to_string(p_valor));
}

void TRelatorioJasper::addParametro(const std::string& p_key, TDateTime p_valor) {
    addParametro(p_key, DataParaTexto(p_valor));
}

void TRelatorioVisualizador::executar(TFormatoSaida p_formato) {
    std::string l_parametros;
    for (const std::string& linha : fListaParametros) {
        l_parametros += ' ';
        l_parametros += linha;
    }
    abrirJasper(fArquivo, l_parametros, TFormatoSaidaToStr(p_formato), "N");
}

void TRelatorioVisualizador::abrirJasper(const std::string& rel, const std::string& parametros,
                                         const std::string& formato_saida,
                                         const std::string& valida_parametros) {
    // A failure to build or hand over the command is a warning to the user, not the caller's
    // problem: the filter window stays usable and the user may try again.
    try {
        const std::string comando_jasper =
            MontarComandoJasper(plataforma::caminhoDoPrograma(), plataforma::separadorDePastas, rel,
                                parametros, formato_saida, valida_parametros);
        lancadorAtual()(comando_jasper);
    } catch (const std::exception& erro) {
        Mensagem(erro.what(), Advertencia);
    }
}

std::string TRelatorioVisualizador::TFormatoSaidaToStr(TFormatoSaida t) {
    return EnumeradoToStr(
        static_cast<int>(t), {"VIS", "PDF", "XLS", "HTML"},
        {static_cast<int>(TFormatoSaida::tsVisualizacao), static_cast<int>(TFormatoSaida::tsPDF),
         static_cast<int>(TFormatoSaida::tsXLS), static_cast<int>(TFormatoSaida::tsHTML)});
}

std::string avisoDeVisualizadorAusente(const std::string& pastaDoPrograma) {
    const std::filesystem::path pasta = caminhoDeUtf8(pastaDoPrograma);
    const std::string visor =
        std::string("o visualizador de relatórios (") + arquivoDoVisualizador + ")";
    const std::string relatorios =
        std::string("a pasta dos relatórios (") + pastaDosRelatorios + ")";
    std::string ausentes, ilegiveis;
    const auto anotar = [&](const std::string& item, Situacao situacao) {
        std::string& lista = situacao == Situacao::ausente ? ausentes : ilegiveis;
        if (situacao != Situacao::presente)
            lista += (lista.empty() ? "" : " nem ") + item;
    };
    anotar(visor, situacaoDoItem(pasta / arquivoDoVisualizador, false));
    anotar(relatorios, situacaoDoItem(pasta / pastaDosRelatorios, true));

    std::string aviso;
    if (!ausentes.empty())
        aviso = "Não foi possível encontrar na pasta do programa (" + pastaDoPrograma + ") " +
                ausentes + ".";
    if (!ilegiveis.empty())
        aviso += (aviso.empty() ? "" : " ") + std::string("Não há permissão para ler ") +
                 ilegiveis + " na pasta do programa (" + pastaDoPrograma + ").";
    if (aviso.empty())
        return {};
    return aviso + " O relatório não poderá ser aberto; " +
           (ausentes.empty() ? "peça ao administrador que dê aos usuários permissão de leitura."
                             : "reinstale o programa ou peça ao administrador que o reinstale.");
}

VigiaDoInterpretador trocarVigiaDoInterpretador(VigiaDoInterpretador novo) {
    return std::exchange(vigiaAtual(), std::move(novo));
}

LancadorDoInterpretador trocarLancadorDoInterpretador(LancadorDoInterpretador novo) {
    if (!novo)
        novo = lancarComAvisos;
    return std::exchange(lancadorAtual(), std::move(novo));
}
