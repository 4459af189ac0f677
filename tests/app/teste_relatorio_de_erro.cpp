#include "app/RelatorioDeErro.h"
#include "tests/app/apoio.h"

#include <QApplication>
#include <QClipboard>
#include <QCoreApplication>
#include <QEvent>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <stdexcept>

TEST(TituloDaAplicacao, NomeDoArquivoSemPastaAteOPrimeiroPontoEmMinusculas) {
    const std::vector<std::pair<QString, QString>> casos{
        {"/opt/lancador/RelLicensaCliente", "Rellicensacliente"},
        {"/opt/lancador/RelLicensaCliente.exe", "Rellicensacliente"},
        {"/opt/v1.2/Relatorio.Final.bin", "Relatorio"}, // a period in a folder does not count
        {"/opt/lancador/rELATORIO", "relatorio"},       // the first character stays as it is
        {"/opt/lancador/ÉDIÇÃO", "Édição"},
        {"/opt/lancador/.oculto", ""},
        {"RelLicensaCliente", "Rellicensacliente"},
    };
    for (const auto& [caminho, titulo] : casos)
        EXPECT_EQ(tituloDoArquivo(caminho), titulo) << caminho.toStdString();
}

TEST(TituloDaAplicacao, VemDoArquivoDoProgramaEmExecucao) {
    EXPECT_EQ(tituloDaAplicacao(), "teste_principal");
}

TEST(ComPontoFinal, AcrescentaOPontoQuandoOUltimoCaractereVemDepoisDoPonto) {
    const std::vector<std::pair<QString, QString>> casos{
        {"Falha", "Falha."},    {"Código 12", "Código 12."},
        {"Fim.", "Fim."},       {"Atenção!", "Atenção!"},
        {"(texto)", "(texto)"}, {"espaço ", "espaço "},
        {"a-", "a-"},           {"a/", "a/."},
        {"a:", "a:."},          {"", ""},
        {"ação", "ação."},      {"😀", "😀."},
    };
    for (const auto& [texto, esperado] : casos)
        EXPECT_EQ(comPontoFinal(texto), esperado) << texto.toStdString();
}

namespace {

std::exception_ptr capturar(const std::function<void()>& lancar) {
    try {
        lancar();
    } catch (...) {
        return std::current_exception();
    }
    return nullptr;
}

} // namespace

TEST(TextoDoRelatorio, MostraOErroMaisInternoDeUmaCadeia) {
    const auto cadeia = capturar([] {
        try {
            try {
                throw std::runtime_error("Servidor recusou a senha");
            } catch (...) {
                std::throw_with_nested(std::runtime_error("Falha na conexão"));
            }
        } catch (...) {
            std::throw_with_nested(std::logic_error("Falha ao abrir a janela"));
        }
    });
    EXPECT_EQ(textoDoRelatorio(cadeia), "Servidor recusou a senha.");
    EXPECT_EQ(textoDoRelatorio(std::make_exception_ptr(std::runtime_error("Simples"))), "Simples.");
    // An error that is not a std::exception still gets a text.
    EXPECT_EQ(textoDoRelatorio(std::make_exception_ptr(42)), "Erro desconhecido.");
    // A chained error raised outside any handler carries no inner error: its own text is shown.
    struct SemInterno : std::runtime_error, std::nested_exception {
        SemInterno() : std::runtime_error("Sem causa") {}
    };
    EXPECT_EQ(textoDoRelatorio(std::make_exception_ptr(SemInterno{})), "Sem causa.");
}

TEST(RelatarErro, CaixaModalComTituloIconeDeParadaEUmBotaoOk) {
    ObservadorDeCaixas observador;
    relatarErro(std::make_exception_ptr(std::runtime_error("'12a' is not a valid integer value")));
    ASSERT_EQ(observador.caixas().size(), 1u);
    const ObservadorDeCaixas::Caixa& caixa = observador.caixas().front();
    EXPECT_EQ(caixa.titulo, tituloDaAplicacao());
    EXPECT_EQ(caixa.texto, "'12a' is not a valid integer value.");
    EXPECT_EQ(caixa.icone, QMessageBox::Critical);
    EXPECT_EQ(caixa.botoes, QMessageBox::StandardButtons(QMessageBox::Ok));
    EXPECT_EQ(caixa.modalidade, Qt::ApplicationModal);
}

TEST(RelatarErro, CtrlCCopiaTituloETextoDaCaixa) {
    QGuiApplication::clipboard()->clear();
    QTimer::singleShot(0, [] {
        QWidget* caixa = QApplication::activeModalWidget();
        ASSERT_NE(caixa, nullptr);
        QTest::keyClick(caixa, Qt::Key_C, Qt::ControlModifier);
        QTest::keyClick(caixa, Qt::Key_Return);
    });
    relatarErro(std::make_exception_ptr(std::runtime_error("Sem conexão")));
    const QString linha = "---------------------------\n";
    EXPECT_EQ(QGuiApplication::clipboard()->text(), linha + tituloDaAplicacao() + "\n" + linha +
                                                        "Sem conexão.\n" + linha + "OK\n" + linha);
}

TEST(RelatarErro, ErroSilenciosoNaoMostraNada) {
    ObservadorDeCaixas observador;
    relatarErro(std::make_exception_ptr(ErroSilencioso{}));
    relatarErro(capturar([] {
        try {
            throw ErroSilencioso{};
        } catch (...) {
            std::throw_with_nested(std::runtime_error("Envolvido"));
        }
    }));
    QCoreApplication::processEvents();
    EXPECT_TRUE(observador.caixas().empty());
}

namespace {

// An object whose event handler fails on every event it receives, after counting it.
class ManipuladorQueFalha : public QObject {
public:
    int recebidos = 0;
    bool event(QEvent*) override {
        ++recebidos;
        throw std::runtime_error("Falha no manipulador");
    }
};

} // namespace

TEST(Aplicacao, ErroQueEscapaDeUmManipuladorEMostradoEOLacoContinua) {
    ObservadorDeCaixas observador;
    ManipuladorQueFalha alvo;
    QCoreApplication::postEvent(&alvo, new QEvent(QEvent::User));
    QCoreApplication::postEvent(&alvo, new QEvent(QEvent::User));
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();

    EXPECT_EQ(alvo.recebidos, 2);
    ASSERT_EQ(observador.caixas().size(), 2u);
    EXPECT_EQ(observador.caixas()[0].texto, "Falha no manipulador.");
    EXPECT_EQ(observador.caixas()[1].titulo, tituloDaAplicacao());
}
