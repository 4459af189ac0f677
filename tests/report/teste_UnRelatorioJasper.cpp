#include "platform/caminho_programa.h"
#include "report/UnRelatorioJasper.h"

#include "tests/report/exemplo_trabalhado.h"
#include "tests/report/mensagem_gravada.h"

#include <gtest/gtest.h>

#include <climits>
#include <filesystem>
#include <fstream>
#include <functional>
#include <stdexcept>

namespace {

using namespace std::chrono;

// Gives the tests read access to the parameter lines.
class TRelatorioExposto : public TRelatorioVisualizador {
public:
    using TRelatorioVisualizador::TRelatorioVisualizador;
    std::vector<std::string> linhas() const { return Parametros(); }
};

// Requests whose commands are recorded instead of started.
class RelatorioComLancadorGravado : public ::testing::Test {
protected:
    void SetUp() override {
        MensagensGravadas().clear();
        fAnterior = trocarLancadorDoInterpretador(
            [this](const std::string& parametros) { fComandos.push_back(parametros); });
    }
    void TearDown() override { trocarLancadorDoInterpretador(fAnterior); }

    std::vector<std::string> fComandos;

private:
    LancadorDoInterpretador fAnterior;
};

struct CasoDeParametro {
    const char* descricao;
    std::function<void(TRelatorioJasper&)> adicionar;
    const char* linha;
};

TEST(AddParametro, EscreveNomeIgualEValorConformeOTipo) {
    const auto texto = [](std::string nome, std::string valor) {
        return [=](TRelatorioJasper& r) { r.addParametro(nome, valor); };
    };
    const auto inteiro = [](std::int32_t valor) {
        return [=](TRelatorioJasper& r) { r.addParametro("P", valor); };
    };
    const auto data = [](TDateTime valor) {
        return [=](TRelatorioJasper& r) { r.addParametro("P", valor); };
    };
    const auto dia = [](year_month_day d) { return local_days{d}; };
    const CasoDeParametro casos[] = {
        {"texto sem mudança", texto("P_CBQD", "S"), "P_CBQD=S"},
        {"texto vazio vira zero", texto("P", ""), "P=0"},
        {"um branco não é trocado", texto("P", " "), "P= "},
        {"nome vazio é aceito", texto("", "x"), "=x"},
        {"nada é escapado", texto("A", "b=c d"), "A=b=c d"},
        {"zero", inteiro(0), "P=0"},
        {"negativo", inteiro(-12), "P=-12"},
        {"sem agrupamento", inteiro(1234567), "P=1234567"},
        {"maior inteiro", inteiro(INT32_MAX), "P=2147483647"},
        {"menor inteiro", inteiro(INT32_MIN), "P=-2147483648"},
        {"data à meia-noite", data(TDateTime{dia(2024y / March / 5)}), "P=2024-03-05"},
        {"hora do dia não é escrita", data(TDateTime{dia(2024y / March / 5) + 23h + 59min + 59s}),
         "P=2024-03-05"},
        {"antes de 1970 fica no próprio dia", data(TDateTime{dia(1969y / December / 31) + 23h}),
         "P=1969-12-31"},
        {"ano com quatro dígitos", data(TDateTime{dia(999y / January / 2)}), "P=0999-01-02"},
        {"último dia de 9999", data(TDateTime{dia(9999y / December / 31) + 12h}), "P=9999-12-31"},
    };
    for (const auto& caso : casos) {
        SCOPED_TRACE(caso.descricao);
        TRelatorioExposto relatorio("r");
        caso.adicionar(relatorio);
        EXPECT_EQ(relatorio.linhas(), std::vector<std::string>{caso.linha});
    }
}

TEST(AddParametro, GuardaAsLinhasNaOrdemComRepetidos) {
    TRelatorioExposto relatorio("r");
    relatorio.addParametro("B", std::string("1"));
    relatorio.addParametro("A", 2);
    relatorio.addParametro("B", std::string("3"));
    EXPECT_EQ(relatorio.linhas(), (std::vector<std::string>{"B=1", "A=2", "B=3"}));
}

TEST(TFormatoSaidaToStr, NomeiaOsQuatroFormatosEVazioForaDaTabela) {
    const std::pair<int, const char*> casos[] = {
        {0, "VIS"}, {1, "PDF"}, {2, "XLS"}, {3, "HTML"}, {4, ""}, {255, ""},
    };
    TRelatorioVisualizador relatorio("r");
    for (const auto& [ordinal, nome] : casos) {
        SCOPED_TRACE(ordinal);
        EXPECT_EQ(relatorio.TFormatoSaidaToStr(static_cast<TFormatoSaida>(ordinal)), nome);
    }
}

TEST_F(RelatorioComLancadorGravado, ExecutarJuntaAsLinhasDepoisDoFormatoEDaFlag) {
    TRelatorioExposto relatorio(relatorioDoExemplo);
    AdicionarParametrosDoExemplo(relatorio);
    relatorio.executar(TFormatoSaida::tsPDF);

    ASSERT_EQ(fComandos.size(), 1u);
    const std::string& comando = fComandos[0];
    EXPECT_EQ(comando.rfind(" /c java -jar ", 0), 0u) << comando;
    const std::string sep(1, plataforma::separadorDePastas);
    const std::string fim =
        "relatorios" + sep + "mv_relacao_licensa_cliente PDF N " + parametrosDoExemplo;
    ASSERT_GE(comando.size(), fim.size());
    EXPECT_EQ(comando.substr(comando.size() - fim.size()), fim);
    EXPECT_EQ(parametrosDoExemplo.size(), 105u);
    EXPECT_NE(comando.find(sep + "jasperviewer.jar  Marvoss "), std::string::npos) << comando;
    EXPECT_TRUE(MensagensGravadas().empty());
}

TEST_F(RelatorioComLancadorGravado, FimDoComandoSemParametrosEComFormatoForaDaTabela) {
    TRelatorioVisualizador relatorio("rel");
    relatorio.executar(TFormatoSaida::tsVisualizacao);
    relatorio.executar(static_cast<TFormatoSaida>(9));
    relatorio.executar(TFormatoSaida::tsHTML);

    ASSERT_EQ(fComandos.size(), 3u);
    const auto terminaCom = [](const std::string& texto, const std::string& fim) {
        return texto.size() >= fim.size() &&
               texto.compare(texto.size() - fim.size(), fim.size(), fim) == 0;
    };
    const std::string sep(1, plataforma::separadorDePastas);
    EXPECT_TRUE(terminaCom(fComandos[0], sep + "relatorios" + sep + "rel VIS N")) << fComandos[0];
    EXPECT_TRUE(terminaCom(fComandos[1], sep + "relatorios" + sep + "rel  N")) << fComandos[1];
    EXPECT_TRUE(terminaCom(fComandos[2], sep + "relatorios" + sep + "rel HTML N")) << fComandos[2];
}

TEST_F(RelatorioComLancadorGravado, ExecutarNaoMudaOPedidoEPodeSerRepetido) {
    TRelatorioExposto relatorio("rel");
    relatorio.addParametro("P", std::string("1"));
    relatorio.addParametro("P", std::string("2"));
    relatorio.executar(TFormatoSaida::tsXLS);
    relatorio.executar(TFormatoSaida::tsXLS);
    relatorio.addParametro("Q", 3);
    relatorio.executar(TFormatoSaida::tsXLS);

    ASSERT_EQ(fComandos.size(), 3u);
    EXPECT_EQ(fComandos[0], fComandos[1]);
    EXPECT_EQ(fComandos[2], fComandos[0] + " Q=3");
    EXPECT_NE(fComandos[0].find("XLS N  P=1 P=2"), std::string::npos) << fComandos[0];
    EXPECT_EQ(relatorio.linhas(), (std::vector<std::string>{"P=1", "P=2", "Q=3"}));
}

TEST_F(RelatorioComLancadorGravado, ErroAoEntregarOComandoViraAvisoComOMesmoTexto) {
    const std::string texto = "Não foi possível iniciar: recurso indisponível";
    trocarLancadorDoInterpretador([&](const std::string&) { throw std::runtime_error(texto); });
    TRelatorioExposto relatorio("rel");
    relatorio.addParametro("P", 1);

    EXPECT_NO_THROW(relatorio.executar(TFormatoSaida::tsPDF));

    ASSERT_EQ(MensagensGravadas().size(), 1u);
    EXPECT_EQ(MensagensGravadas()[0].texto, texto);
    EXPECT_EQ(MensagensGravadas()[0].tipo, Advertencia);
    EXPECT_EQ(MensagensGravadas()[0].tipo.bits(), 0x04);
    EXPECT_EQ(relatorio.linhas(), std::vector<std::string>{"P=1"});
}

TEST_F(RelatorioComLancadorGravado, OQueNaoEErroComumPassaPelaGuarda) {
    trocarLancadorDoInterpretador([](const std::string&) { throw 42; });
    TRelatorioVisualizador relatorio("rel");
    EXPECT_THROW(relatorio.executar(TFormatoSaida::tsPDF), int);
    EXPECT_TRUE(MensagensGravadas().empty());
}

} // namespace

// What a program folder lacks of the viewer, in the warning's words; a folder named in several
// scripts, as sites name them, read as UTF-8 on every platform.
TEST(AvisoDeVisualizadorAusente, NomeiaOQueFaltaNaPastaDoPrograma) {
    namespace fs = std::filesystem;
    const fs::path pasta = fs::temp_directory_path() / fs::path(u8"visor Relatórios 报表");
    const std::u8string utf8 = pasta.u8string();
    const std::string nome(utf8.begin(), utf8.end());
    const std::string visor = "o visualizador de relatórios (jasperviewer.jar)";
    const std::string relatorios = "a pasta dos relatórios (relatorios)";
    struct Caso {
        const char* nome;
        std::function<void()> preparar;
        std::string ausentes;
    } casos[] = {
        {"tudo no lugar",
         [&] {
             std::ofstream(pasta / "jasperviewer.jar") << "";
             fs::create_directory(pasta / "relatorios");
         },
         ""},
        {"sem o visualizador", [&] { fs::create_directory(pasta / "relatorios"); }, visor},
        {"uma pasta no lugar do visualizador",
         [&] {
             fs::create_directory(pasta / "jasperviewer.jar");
             fs::create_directory(pasta / "relatorios");
         },
         visor},
        {"sem a pasta dos relatorios", [&] { std::ofstream(pasta / "jasperviewer.jar") << ""; },
         relatorios},
        {"sem nenhum dos dois", [] {}, visor + " nem " + relatorios},
        {"sem a pasta do programa", [&] { fs::remove(pasta); }, visor + " nem " + relatorios},
    };
    for (const Caso& caso : casos) {
        SCOPED_TRACE(caso.nome);
        fs::remove_all(pasta);
        fs::create_directory(pasta);
        caso.preparar();
        EXPECT_EQ(avisoDeVisualizadorAusente(nome),
                  caso.ausentes.empty()
                      ? ""
                      : "Não foi possível encontrar na pasta do programa (" + nome + ") " +
                            caso.ausentes +
                            ". O relatório não poderá ser aberto; reinstale o programa ou peça "
                            "ao administrador que o reinstale.");
    }
    fs::remove_all(pasta);
}
