#include "app/Eventos.h"
#include "app/RelatorioDeErro.h"
#include "app/UnPrincipal.h"
#include "data/UnDM.h"
#include "messages/UnFuncao.h"
#include "messages/UnMens.h"
#include "tests/app/apoio.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <stdexcept>

namespace {

const QDate dataDeProjeto(2018, 1, 12);

// The connection step as the tests see it: the values it found when it ran, or an error to raise.
struct ConexaoGravada {
    int chamadas = 0;
    std::vector<std::string> valores;
    std::optional<std::string> erro;
};

class JanelaPrincipal : public ::testing::Test {
protected:
    void SetUp() override {
        Servidor = Porta = Usuario = Senha = Banco = UsuarioLogado = "";
        EmpresaLogada = FuncionarioLogado = 0;
    }

    // Builds the window as start-up does, from the command line `linha`, on 12 March 2025 unless
    // another clock is given.
    std::unique_ptr<TFormPrincipal> criar(
        const std::string& linha, std::function<plataforma::DataHoraLocal()> relogio = [] {
            return plataforma::DataHoraLocal{2025, 3, 12, 15, 30, 0, 0};
        }) {
        TDependenciasPrincipal dependencias{
            [linha] { return separarArgumentos(linha); },
            [this] {
                ++conexao.chamadas;
                conexao.valores = {Servidor, Porta, Usuario, Senha, Banco};
                if (conexao.erro)
                    throw std::runtime_error(*conexao.erro);
            },
            std::move(relogio)};
        return std::make_unique<TFormPrincipal>(std::move(dependencias));
    }

    // Presses "Imprimir" and returns the words the viewer received.
    std::vector<std::string> imprimir(TFormPrincipal& janela) {
        const std::size_t antes = lancamentos.comandos().size();
        QTest::mouseClick(janela.BitBtn1, Qt::LeftButton);
        EXPECT_EQ(lancamentos.comandos().size(), antes + 1);
        if (lancamentos.comandos().size() != antes + 1)
            return {};
        std::vector<std::string> palavras = palavrasDoVisualizador(lancamentos.comandos().back());
        EXPECT_GE(palavras.size(), 3u);
        return palavras;
    }

    ConexaoGravada conexao;
    ObservadorDeCaixas caixas;
    GravadorDeLancamentos lancamentos;
};

std::vector<std::string> pedido(const std::string& formato, const std::string& dtde,
                                const std::string& dtate, const std::string& dtde2,
                                const std::string& dtate2, const std::string& cbqd,
                                const std::string& cbqd2, const std::string& ordem) {
    return {formato,
            "N",
            "P_DTDE=" + dtde,
            "P_DTATE=" + dtate,
            "P_DTDE2=" + dtde2,
            "P_DTATE2=" + dtate2,
            "P_CBQD=" + cbqd,
            "P_CBQD2=" + cbqd2,
            "P_ORDEM=" + ordem};
}

// Clicks a radio item on its caption.
void clicarNoItem(QAbstractButton& item) {
    QTest::mouseClick(&item, Qt::LeftButton, {},
                      QPoint(item.fontMetrics().height() + 8, item.height() / 2));
}

// The words after the report path.
std::vector<std::string> semCaminho(const std::vector<std::string>& palavras) {
    return palavras.empty() ? palavras
                            : std::vector<std::string>(palavras.begin() + 1, palavras.end());
}

const std::string linhaCompleta =
    R"("/opt/lancador/RelLicensaCliente" "db.local" "5432" "gerente" "s3 nh@" "licencas" "7" "19" "maria")";

} // namespace

TEST_F(JanelaPrincipal, InicioNormalGuardaASessaoConectaEMostraAsDatasDoMes) {
    const auto janela = criar(linhaCompleta);

    EXPECT_TRUE(caixas.caixas().empty());
    EXPECT_EQ(conexao.chamadas, 1);
    EXPECT_EQ(conexao.valores,
              (std::vector<std::string>{"db.local", "5432", "gerente", "s3 nh@", "licencas"}));
    EXPECT_EQ(janela->codigoEmpresaLogada(), 7);
    EXPECT_EQ(janela->codigoFuncionarioLogado(), 19);
    EXPECT_EQ(EmpresaLogada, 7);
    EXPECT_EQ(FuncionarioLogado, 19);
    EXPECT_EQ(UsuarioLogado, "maria");
    EXPECT_EQ(janela->DTPDe->date(), QDate(2025, 3, 1));
    EXPECT_EQ(janela->DTPAte->date(), QDate(2025, 3, 12));
    EXPECT_EQ(janela->DTPDe2->date(), QDate(2025, 3, 1));
    EXPECT_EQ(janela->DTPAte2->date(), QDate(2025, 3, 12));

    const std::vector<std::string> palavras = imprimir(*janela);
    ASSERT_FALSE(palavras.empty());
    EXPECT_TRUE(palavras[0].ends_with("/relatorios/mv_relacao_licensa_cliente")) << palavras[0];
    EXPECT_EQ(semCaminho(palavras),
              pedido("VIS", "2025-03-01", "2025-03-12", "2025-03-01", "2025-03-12", "N", "N", "0"));
    // The command handed to the interpreter carries none of the session's values: the viewer's
    // command line is visible to every user of the machine.
    for (const std::string valor : {"db.local", "gerente", "s3 nh@", "licencas", "maria"})
        EXPECT_EQ(lancamentos.comandos().back().find(valor), std::string::npos) << valor;
}

// Every failure of the creation sequence: the box, what was stored before it, and a window that
// still shows the design-time dates and still prints.
TEST_F(JanelaPrincipal, FalhasDaSequenciaDeCriacao) {
    struct Caso {
        const char* nome;
        std::string linha;
        std::optional<std::string> erroDeConexao;
        QString texto;
        std::vector<std::string> conexao; // the five values as stored
        std::int32_t empresa, funcionario, empresaLogada, funcionarioLogado;
        std::string usuario;
        int conexoes;
    };
    const std::vector<Caso> casos{
        {"sem argumentos",
         "\"/opt/RelLicensaCliente\"",
         {},
         "'' is not a valid integer value.",
         {"", "", "", "", ""},
         0,
         0,
         0,
         0,
         "",
         0},
        {"seis argumentos",
         "p srv 5432 u s db 7",
         {},
         "'' is not a valid integer value.",
         {"srv", "5432", "u", "s", "db"},
         7,
         0,
         0,
         0,
         "",
         0},
        {"argumento 6 invalido",
         "p srv 5432 u s db 12a 19 maria",
         {},
         "'12a' is not a valid integer value.",
         {"srv", "5432", "u", "s", "db"},
         0,
         0,
         0,
         0,
         "",
         0},
        {"argumento 7 invalido",
         "p srv 5432 u s db 7 1.5 maria",
         {},
         "'1.5' is not a valid integer value.",
         {"srv", "5432", "u", "s", "db"},
         7,
         0,
         0,
         0,
         "",
         0},
        {"senha como aspas vazias desloca os argumentos",
         R"("p" "srv" "5432" "u" "" "db" "7" "19" "maria")",
         {},
         "'maria' is not a valid integer value.",
         {"srv", "5432", "u", "db", "7"},
         19,
         0,
         0,
         0,
         "",
         0},
        {"conexao recusada",
         linhaCompleta,
         "[Conexao] [PG] FATAL: password authentication failed",
         "[Conexao] [PG] FATAL: password authentication failed.",
         {"db.local", "5432", "gerente", "s3 nh@", "licencas"},
         7,
         19,
         7,
         19,
         "maria",
         1},
    };
    for (const Caso& caso : casos) {
        SCOPED_TRACE(caso.nome);
        SetUp();
        conexao = {};
        conexao.erro = caso.erroDeConexao;
        const std::size_t caixasAntes = caixas.caixas().size();

        const auto janela = criar(caso.linha);

        ASSERT_EQ(caixas.caixas().size(), caixasAntes + 1);
        EXPECT_EQ(caixas.caixas().back().titulo, tituloDaAplicacao());
        EXPECT_EQ(caixas.caixas().back().texto, caso.texto);
        EXPECT_EQ((std::vector<std::string>{Servidor, Porta, Usuario, Senha, Banco}), caso.conexao);
        EXPECT_EQ(janela->codigoEmpresaLogada(), caso.empresa);
        EXPECT_EQ(janela->codigoFuncionarioLogado(), caso.funcionario);
        EXPECT_EQ(EmpresaLogada, caso.empresaLogada);
        EXPECT_EQ(FuncionarioLogado, caso.funcionarioLogado);
        EXPECT_EQ(UsuarioLogado, caso.usuario);
        EXPECT_EQ(conexao.chamadas, caso.conexoes);
        for (const QDateEdit* seletor :
             {janela->DTPDe, janela->DTPAte, janela->DTPDe2, janela->DTPAte2})
            EXPECT_EQ(seletor->date(), dataDeProjeto) << seletor->objectName().toStdString();

        EXPECT_EQ(semCaminho(imprimir(*janela)), pedido("VIS", "2018-01-12", "2018-01-12",
                                                        "2018-01-12", "2018-01-12", "N", "N", "0"));
    }
}

TEST_F(JanelaPrincipal, SeteArgumentosDeixamOLoginVazioEConectam) {
    const auto janela = criar("p srv 5432 u s db 7 19");
    EXPECT_TRUE(caixas.caixas().empty());
    EXPECT_EQ(UsuarioLogado, "");
    EXPECT_EQ(conexao.chamadas, 1);
    EXPECT_EQ(janela->DTPAte->date(), QDate(2025, 3, 12));
}

TEST_F(JanelaPrincipal, CodigosAceitosEmDecimalEHexadecimal) {
    const std::vector<std::pair<std::string, std::optional<std::int32_t>>> casos{
        {"$1F", 31},      {"-0x10", -16},    {"-2147483648", INT32_MIN}, {"2147483647", INT32_MAX},
        {"\" +007\"", 7}, {"$FFFFFFFF", -1}, {"2147483648", {}},         {"\"7 \"", {}},
        {"0x", {}},       {"-", {}},
    };
    for (const auto& [argumento, valor] : casos) {
        SCOPED_TRACE(argumento);
        SetUp();
        const std::size_t caixasAntes = caixas.caixas().size();
        const auto janela = criar("p srv 5432 u s db " + argumento + " 1 login");
        EXPECT_EQ(caixas.caixas().size(), caixasAntes + (valor ? 0 : 1));
        EXPECT_EQ(EmpresaLogada, valor.value_or(0));
    }
}

// Each picker reads the clock itself: a start across midnight at the end of the month shows the
// day each picker read.
TEST_F(JanelaPrincipal, CadaSeletorLeORelogioDeNovo) {
    std::vector<plataforma::DataHoraLocal> leituras{{2025, 3, 31, 23, 59, 59, 999},
                                                    {2025, 4, 1, 0, 0, 0, 0},
                                                    {2025, 4, 1, 0, 0, 0, 1},
                                                    {2025, 4, 1, 0, 0, 0, 2}};
    std::size_t proxima = 0;
    const auto janela = criar(linhaCompleta, [&] { return leituras.at(proxima++); });
    EXPECT_EQ(proxima, 4u);
    EXPECT_EQ(janela->DTPDe->date(), QDate(2025, 3, 1));
    EXPECT_EQ(janela->DTPAte->date(), QDate(2025, 4, 1));
    EXPECT_EQ(janela->DTPDe2->date(), QDate(2025, 4, 1));
    EXPECT_EQ(janela->DTPAte2->date(), QDate(2025, 4, 1));
}

TEST_F(JanelaPrincipal, NoPrimeiroDiaDoMesAsDuasDatasSaoIguais) {
    const auto janela =
        criar(linhaCompleta, [] { return plataforma::DataHoraLocal{2024, 2, 1, 8, 0, 0, 0}; });
    EXPECT_EQ(janela->DTPDe->date(), QDate(2024, 2, 1));
    EXPECT_EQ(janela->DTPAte->date(), QDate(2024, 2, 1));
}

TEST_F(JanelaPrincipal, OPedidoSegueOsControles) {
    struct Caso {
        int ordem, formato;
        bool qualquerData, qualquerData2;
        std::vector<std::string> esperado;
    };
    const std::string de = "2025-03-01", ate = "2025-03-12";
    const std::vector<Caso> casos{
        {0, 0, false, false, pedido("VIS", de, ate, de, ate, "N", "N", "0")},
        {1, 1, true, false, pedido("PDF", de, ate, de, ate, "S", "N", "1")},
        {2, 2, false, true, pedido("XLS", de, ate, de, ate, "N", "S", "2")},
        {0, 2, true, true, pedido("XLS", de, ate, de, ate, "S", "S", "0")},
    };
    const auto janela = criar(linhaCompleta);
    QAbstractButton* const itensDeFormato[] = {janela->rbVisualizacao, janela->rbPDF,
                                               janela->rbExcel};
    for (const Caso& caso : casos) {
        janela->cbOrdem->setCurrentIndex(caso.ordem);
        clicarNoItem(*itensDeFormato[caso.formato]);
        janela->CBQQData->setChecked(caso.qualquerData);
        janela->CBQQData2->setChecked(caso.qualquerData2);
        EXPECT_EQ(semCaminho(imprimir(*janela)), caso.esperado)
            << "ordem " << caso.ordem << ", formato " << caso.formato;
        // A ticked "Qualquer data" leaves its row's pickers as they were.
        EXPECT_TRUE(janela->DTPDe->isEnabled());
        EXPECT_TRUE(janela->DTPDe2->isEnabled());
    }
    EXPECT_EQ(janela->cbOrdem->itemText(2), "Valor Líquido");
}

TEST_F(JanelaPrincipal, DatasForaDeOrdemSaoEnviadasComoEstao) {
    const auto janela = criar(linhaCompleta);
    janela->DTPDe->setDate(QDate(2030, 12, 31));
    janela->DTPAte2->setDate(QDate(1999, 1, 2));
    EXPECT_EQ(semCaminho(imprimir(*janela)),
              pedido("VIS", "2030-12-31", "2025-03-12", "2025-03-01", "1999-01-02", "N", "N", "0"));
}

TEST_F(JanelaPrincipal, TextoDigitadoNosCombosDeDataNaoMudaOPedido) {
    const auto janela = criar(linhaCompleta);
    const std::vector<std::string> antes = imprimir(*janela);
    for (QComboBox* combo : {janela->cbData, janela->cbData2}) {
        combo->lineEdit()->selectAll();
        QTest::keyClicks(combo->lineEdit(), "P_ORDEM=9 & texto livre");
        QTest::keyClick(combo->lineEdit(), Qt::Key_Return);
    }
    EXPECT_EQ(janela->cbData->currentText(), "P_ORDEM=9 & texto livre");
    EXPECT_EQ(imprimir(*janela), antes);
}

TEST_F(JanelaPrincipal, DoisCliquesLancamDoisVisualizadoresComOsValoresDeCadaMomento) {
    const auto janela = criar(linhaCompleta);
    const std::vector<std::string> primeiro = imprimir(*janela);
    janela->cbOrdem->setCurrentIndex(1);
    janela->CBQQData2->setChecked(true);
    clicarNoItem(*janela->rbPDF);
    const std::vector<std::string> segundo = imprimir(*janela);

    ASSERT_EQ(lancamentos.comandos().size(), 2u);
    const std::string de = "2025-03-01", ate = "2025-03-12";
    EXPECT_EQ(semCaminho(primeiro), pedido("VIS", de, ate, de, ate, "N", "N", "0"));
    EXPECT_EQ(semCaminho(segundo), pedido("PDF", de, ate, de, ate, "N", "S", "1"));
}

TEST_F(JanelaPrincipal, AltIPressionaImprimirEEnterNao) {
    const auto janela = criar(linhaCompleta);
    janela->show();
    janela->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(janela.get()));

    for (QWidget* foco : std::initializer_list<QWidget*>{janela->DTPDe, janela->cbOrdem,
                                                         janela->CBQQData, janela->rbPDF}) {
        foco->setFocus();
        QTest::keyClick(foco, Qt::Key_Return);
        QTest::keyClick(foco, Qt::Key_Enter);
    }
    QTest::qWait(300); // longer than a button's visible press
    EXPECT_TRUE(lancamentos.comandos().empty());

    janela->DTPDe->setFocus();
    QTest::keyClick(janela->DTPDe, Qt::Key_I, Qt::AltModifier);
    // An access key presses the button as a click does, with a short visible press.
    EXPECT_TRUE(QTest::qWaitFor([&] { return lancamentos.comandos().size() == 1; }));
    EXPECT_FALSE(janela->BitBtn1->isDefault());

    // Like every push button, it takes Enter once it has the focus itself.
    janela->BitBtn1->setFocus();
    QTest::keyClick(janela->BitBtn1, Qt::Key_Return);
    EXPECT_EQ(lancamentos.comandos().size(), 2u);
    EXPECT_TRUE(janela->isVisible()); // pressing the button closes nothing
}

// What a screen reader learns of the combos: the name says what each one chooses, the value and
// the text are the item it shows, and an editable one says so and holds its text box.
TEST_F(JanelaPrincipal, CombosDizemOQueEscolhemEOItemQueMostram) {
    const auto janela = criar("p 127.0.0.1 5432 u s b 1 2 login");
    struct Caso {
        QComboBox* combo;
        QString nome, item;
        bool editavel;
    } casos[] = {
        {janela->cbOrdem, "Ordenar por", "Data", false},
        {janela->cbData, "Data filtrada, linha 1", "Dt.Vencimento Chave", true},
        {janela->cbData2, "Data filtrada, linha 2", "Dt.Vencimento Boleto", true},
    };
    for (const Caso& caso : casos) {
        SCOPED_TRACE(caso.nome.toStdString());
        QAccessibleInterface* interface = QAccessible::queryAccessibleInterface(caso.combo);
        ASSERT_NE(interface, nullptr);
        EXPECT_EQ(interface->role(), QAccessible::ComboBox);
        EXPECT_EQ(interface->text(QAccessible::Name), caso.nome);
        EXPECT_EQ(interface->text(QAccessible::Value), caso.item);
        ASSERT_NE(interface->textInterface(), nullptr);
        EXPECT_EQ(interface->textInterface()->text(0, interface->textInterface()->characterCount()),
                  caso.item);
        EXPECT_EQ(interface->state().editable, caso.editavel);
        EXPECT_TRUE(interface->state().expandable);
        ASSERT_EQ(interface->childCount(), caso.editavel ? 2 : 1);
        EXPECT_EQ(interface->child(0)->object(), static_cast<QObject*>(caso.combo->view()));
        if (caso.editavel) {
            EXPECT_EQ(interface->child(1)->object(), static_cast<QObject*>(caso.combo->lineEdit()));
        }
        EXPECT_TRUE(interface->actionInterface()->actionNames().contains(
            QAccessibleActionInterface::showMenuAction()));
    }
    janela->cbOrdem->setCurrentIndex(2);
    EXPECT_EQ(QAccessible::queryAccessibleInterface(janela->cbOrdem)->text(QAccessible::Value),
              "Valor Líquido");
}

TEST_F(JanelaPrincipal, PassoDeConexaoPadraoUsaOModuloDeDados) {
    TDM* const anterior = DM;
    DM = nullptr;
    EXPECT_THROW(TDependenciasPrincipal::padrao({}).conectar(), std::logic_error);
    DM = anterior;
}

// A date that is not whole, left with a click on "Imprimir": the warning names the field and
// quotes its text, nothing is launched, and the field still shows what was typed. A two-digit
// year is written out and sent.
TEST_F(JanelaPrincipal, ImprimirComODataIncompletaAvisaEAnoCurtoSeCompleta) {
    const auto janela = criar(linhaCompleta);
    janela->DTPDe->setDisplayFormat("dd/MM/yyyy");
    janela->show();
    janela->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(janela.get()));
    std::vector<std::pair<QString, QString>> avisos;
    const ExibicaoModal anterior = trocarExibicaoModal([&avisos](TFormMens& mensagem) {
        avisos.emplace_back(mensagem.windowTitle(), mensagem.Memo1->toPlainText());
        return mrOk;
    });

    janela->DTPDe->setFocus(Qt::TabFocusReason);
    QTest::keyClicks(janela->DTPDe, "15/03/2");
    QTest::mouseClick(janela->BitBtn1, Qt::LeftButton);
    ASSERT_EQ(avisos.size(), 1u);
    EXPECT_EQ(avisos[0].first, "Mensagem de Advertência");
    EXPECT_EQ(avisos[0].second, "O texto \"15/03/2\" na data inicial de \"Dt.Vencimento Chave\" "
                                "não é uma data completa. Corrija a data e imprima de novo.");
    EXPECT_TRUE(lancamentos.comandos().empty());
    EXPECT_EQ(janela->DTPDe->text(), "15/03/2");

    janela->DTPDe->setFocus(Qt::TabFocusReason);
    QTest::keyClick(janela->DTPDe, Qt::Key_Right);
    QTest::keyClick(janela->DTPDe, Qt::Key_Right);
    QTest::keyClicks(janela->DTPDe, "25");
    EXPECT_EQ(semCaminho(imprimir(*janela)),
              pedido("VIS", "2025-03-15", "2025-03-12", "2025-03-01", "2025-03-12", "N", "N", "0"));
    EXPECT_EQ(janela->DTPDe->text(), "15/03/2025");

    // With the row's combo cleared, the row goes by its own name, in the warning and for the
    // screen reader.
    janela->cbData2->setCurrentText("");
    janela->DTPAte2->setDisplayFormat("dd/MM/yyyy");
    janela->DTPAte2->setFocus(Qt::TabFocusReason);
    QTest::keyClicks(janela->DTPAte2, "01/01/2");
    QTest::mouseClick(janela->BitBtn1, Qt::LeftButton);
    ASSERT_EQ(avisos.size(), 2u);
    EXPECT_EQ(avisos[1].second, "O texto \"01/01/2\" na data final de \"Data filtrada, linha 2\" "
                                "não é uma data completa. Corrija a data e imprima de novo.");
    EXPECT_EQ(janela->DTPAte2->accessibleName(), "Data filtrada, linha 2, data final");
    trocarExibicaoModal(anterior);
}
