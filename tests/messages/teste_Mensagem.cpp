// Mensagem driving the real window: what each kind of message shows, and how the window ends.
#include "dialogo_aberto.h"

#include <QApplication>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTest>

#include <stdexcept>
#include <thread>
#include <vector>

namespace {

using Botao = QPushButton* TFormMens::*;
using Imagem = QLabel* TFormMens::*;

struct BotaoVisivel {
    Botao botao;
    const char* legenda;
    int esquerda;
};

struct CasoDeTipos {
    const char* nome;
    TTipoMensagens tipos;
    const char* titulo;
    std::vector<Imagem> simbolos;     // visible, lowest first
    std::vector<BotaoVisivel> botoes; // visible
    Botao foco;                       // nullptr: the text box holds the focus
    std::int32_t enterNoFoco;         // mrNone: Enter does nothing there
};

const std::vector<CasoDeTipos>& casosDeTipos() {
    static const std::vector<CasoDeTipos> casos = {
        {"Exclusao",
         Exclusao,
         "Mensagem Confirma Exclusão",
         {&TFormMens::ImgExc},
         {{&TFormMens::bbSim, "&Sim", 216}, {&TFormMens::bbNao, "&Não", 300}},
         &TFormMens::bbNao,
         mrNo},
        {"Gravacao",
         Gravacao,
         "Mensagem Confirma Gravação",
         {&TFormMens::ImgGrav},
         {{&TFormMens::bbSim, "&Sim", 133},
          {&TFormMens::bbNao, "&Não", 216},
          {&TFormMens::bbCancel, "&Cancelar", 300}},
         &TFormMens::bbCancel,
         mrCancel},
        {"Advertencia",
         Advertencia,
         "Mensagem de Advertência",
         {&TFormMens::ImgAdv},
         {{&TFormMens::bbOk, "&OK", 300}},
         &TFormMens::bbOk,
         mrOk},
        {"Informacao",
         Informacao,
         "Mensagem de Informação",
         {&TFormMens::ImgInfo},
         {{&TFormMens::bbOk, "&OK", 300}},
         &TFormMens::bbOk,
         mrOk},
        {"Confirmacao",
         Confirmacao,
         "Mensagem de Confirmação",
         {&TFormMens::ImgConf},
         {{&TFormMens::bbSim, "&Sim", 216}, {&TFormMens::bbNao, "&Não", 300}},
         &TFormMens::bbNao,
         mrNo},
        {"ResAC",
         ResAC,
         "Atenção",
         {&TFormMens::ImgResAEC},
         {{&TFormMens::bbSim, "&Alterar", 216}, {&TFormMens::bbCancel, "&Cancelar", 300}},
         &TFormMens::bbCancel,
         mrCancel},
        {"ResAEC",
         ResAEC,
         "Atenção",
         {&TFormMens::ImgResAEC},
         {{&TFormMens::bbSim, "&Alterar", 133},
          {&TFormMens::bbNao, "&Excluir", 216},
          {&TFormMens::bbCancel, "&Cancelar", 300}},
         &TFormMens::bbSim,
         mrYes},
        {"Erro", Erro, "Confirmar Exclusão de Arquivos", {}, {}, nullptr, mrNone},
        {"vazio", TTipoMensagens{}, "Confirmar Exclusão de Arquivos", {}, {}, nullptr, mrNone},
        // Later kinds move what earlier ones left, and set the caption and the focus last; two
        // buttons may end on the same place.
        {"Exclusao+Gravacao",
         Exclusao + Gravacao,
         "Mensagem Confirma Gravação",
         {&TFormMens::ImgExc, &TFormMens::ImgGrav},
         {{&TFormMens::bbSim, "&Sim", 300},
          {&TFormMens::bbNao, "&Não", 216},
          {&TFormMens::bbCancel, "&Cancelar", 300}},
         &TFormMens::bbCancel,
         mrCancel},
        {"Advertencia+Informacao",
         Advertencia + Informacao,
         "Mensagem de Informação",
         {&TFormMens::ImgAdv, &TFormMens::ImgInfo},
         {{&TFormMens::bbOk, "&OK", 300}},
         &TFormMens::bbOk,
         mrOk},
        {"Erro+Advertencia",
         Erro + Advertencia,
         "Mensagem de Advertência",
         {&TFormMens::ImgAdv},
         {{&TFormMens::bbOk, "&OK", 300}},
         &TFormMens::bbOk,
         mrOk},
    };
    return casos;
}

void conferirAparencia(TFormMens& janela, const CasoDeTipos& caso) {
    EXPECT_EQ(janela.windowTitle(), QString::fromUtf8(caso.titulo));
    EXPECT_EQ(janela.Memo1->toPlainText(), QStringLiteral("Texto da mensagem"));

    const Imagem todasAsImagens[] = {&TFormMens::ImgExc,  &TFormMens::ImgGrav,
                                     &TFormMens::ImgAdv,  &TFormMens::ImgInfo,
                                     &TFormMens::ImgConf, &TFormMens::ImgResAEC};
    for (const Imagem imagem : todasAsImagens) {
        const bool esperada =
            std::find(caso.simbolos.begin(), caso.simbolos.end(), imagem) != caso.simbolos.end();
        EXPECT_EQ((janela.*imagem)->isVisible(), esperada)
            << (janela.*imagem)->objectName().toStdString();
    }
    // Where symbols overlap, the one later in the design lies on top.
    if (!caso.simbolos.empty()) {
        EXPECT_EQ(janela.childAt(24, 24), janela.*caso.simbolos.back());
    }

    const Botao todosOsBotoes[] = {&TFormMens::bbSim, &TFormMens::bbNao, &TFormMens::bbOk,
                                   &TFormMens::bbCancel};
    for (const Botao botao : todosOsBotoes) {
        QPushButton* b = janela.*botao;
        SCOPED_TRACE(b->objectName().toStdString());
        const auto esperado = std::find_if(caso.botoes.begin(), caso.botoes.end(),
                                           [&](const BotaoVisivel& v) { return v.botao == botao; });
        ASSERT_EQ(b->isVisible(), esperado != caso.botoes.end());
        if (esperado != caso.botoes.end()) {
            EXPECT_EQ(b->text(), QString::fromUtf8(esperado->legenda));
            EXPECT_EQ(b->pos(), QPoint(esperado->esquerda, 130));
        }
    }

    QWidget* focoEsperado = caso.foco ? static_cast<QWidget*>(janela.*caso.foco) : janela.Memo1;
    EXPECT_EQ(QApplication::focusWidget(), focoEsperado);
}

TEST(Mensagem, CadaTipoMostraSeuTituloSimboloBotoesEFoco) {
    for (const CasoDeTipos& caso : casosDeTipos()) {
        SCOPED_TRACE(caso.nome);
        const std::int32_t resultado =
            mensagemCom("Texto da mensagem", caso.tipos, [&](TFormMens& janela) {
                conferirAparencia(janela, caso);
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
                if (caso.enterNoFoco == mrNone) {
                    EXPECT_TRUE(janela.isVisible()) << "Enter in the text box ended the window";
                    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
                }
            });
        EXPECT_EQ(resultado, caso.enterNoFoco == mrNone ? mrCancel : caso.enterNoFoco);
        EXPECT_EQ(FormMens, nullptr);
    }
}

// Keys typed while the window is up, from the control that holds the focus on show.
struct CasoDeTeclas {
    const char* nome;
    TTipoMensagens tipos;
    bool clicarNoTexto;
    std::vector<std::pair<Qt::Key, Qt::KeyboardModifiers>> teclas;
    std::int32_t resultado;
};

TEST(Mensagem, TeclasEncerramAJanelaComOResultadoDoBotao) {
    const Qt::KeyboardModifiers nenhum = Qt::NoModifier;
    const CasoDeTeclas casos[] = {
        // Enter in the text box presses "&Sim" when shown (whatever its caption), else "&OK".
        {"Advertencia, Enter no texto", Advertencia, true, {{Qt::Key_Return, nenhum}}, mrOk},
        {"Gravacao, Enter no texto", Gravacao, true, {{Qt::Key_Return, nenhum}}, mrYes},
        {"ResAEC, Enter no texto", ResAEC, true, {{Qt::Key_Enter, nenhum}}, mrYes},
        {"Exclusao+Gravacao, Enter no texto",
         Exclusao + Gravacao,
         true,
         {{Qt::Key_Return, nenhum}},
         mrYes},
        // Enter presses the focused button, not the default one.
        {"Gravacao, Shift+Tab e Enter",
         Gravacao,
         false,
         {{Qt::Key_Backtab, Qt::ShiftModifier}, {Qt::Key_Return, nenhum}},
         mrNo},
        {"Exclusao, Enter", Exclusao, false, {{Qt::Key_Return, nenhum}}, mrNo},
        // Access keys.
        {"ResAEC, Alt+E", ResAEC, false, {{Qt::Key_E, Qt::AltModifier}}, mrNo},
        {"Exclusao, Alt+S", Exclusao, false, {{Qt::Key_S, Qt::AltModifier}}, mrYes},
        {"Gravacao, Alt+C", Gravacao, false, {{Qt::Key_C, Qt::AltModifier}}, mrCancel},
        // With the focus on a button, the underlined letter alone, in either case.
        {"Advertencia, O", Advertencia, false, {{Qt::Key_O, nenhum}}, mrOk},
        {"Informacao, Shift+O", Informacao, false, {{Qt::Key_O, Qt::ShiftModifier}}, mrOk},
        {"Exclusao, S", Exclusao, false, {{Qt::Key_S, nenhum}}, mrYes},
        {"Confirmacao, N", Confirmacao, false, {{Qt::Key_N, nenhum}}, mrNo},
        {"ResAEC, E", ResAEC, false, {{Qt::Key_E, nenhum}}, mrNo},
        {"ResAC, A", ResAC, false, {{Qt::Key_A, nenhum}}, mrYes},
        {"Gravacao, C", Gravacao, false, {{Qt::Key_C, nenhum}}, mrCancel},
        // A letter of no shown button, or any letter in the text box, presses nothing.
        {"Advertencia, S e Esc",
         Advertencia,
         false,
         {{Qt::Key_S, nenhum}, {Qt::Key_Escape, nenhum}},
         mrCancel},
        {"Advertencia, O no texto e Esc",
         Advertencia,
         true,
         {{Qt::Key_O, nenhum}, {Qt::Key_Escape, nenhum}},
         mrCancel},
        {"Advertencia, Ctrl+O e Esc",
         Advertencia,
         false,
         {{Qt::Key_O, Qt::ControlModifier}, {Qt::Key_Escape, nenhum}},
         mrCancel},
        // Esc ends every window with mrCancel, wherever the focus is.
        {"Advertencia, Esc", Advertencia, false, {{Qt::Key_Escape, nenhum}}, mrCancel},
        {"Confirmacao, Esc", Confirmacao, false, {{Qt::Key_Escape, nenhum}}, mrCancel},
        {"Confirmacao, Esc no texto", Confirmacao, true, {{Qt::Key_Escape, nenhum}}, mrCancel},
        {"vazio, Enter e Esc",
         TTipoMensagens{},
         false,
         {{Qt::Key_Return, nenhum}, {Qt::Key_Escape, nenhum}},
         mrCancel},
    };
    for (const CasoDeTeclas& caso : casos) {
        SCOPED_TRACE(caso.nome);
        int finalizacoes = 0;
        const std::int32_t resultado = mensagemCom("Texto", caso.tipos, [&](TFormMens& janela) {
            QObject::connect(&janela, &QDialog::finished, [&] { ++finalizacoes; });
            if (caso.clicarNoTexto) {
                QTest::mouseClick(janela.Memo1->viewport(), Qt::LeftButton, {}, QPoint(5, 5));
                ASSERT_EQ(QApplication::focusWidget(), janela.Memo1);
            }
            for (const auto& [tecla, modificadores] : caso.teclas)
                QTest::keyClick(QApplication::focusWidget(), tecla, modificadores);
        });
        EXPECT_EQ(resultado, caso.resultado);
        EXPECT_EQ(finalizacoes, 1) << "the window is ended once";
    }
}

TEST(Mensagem, CaixaDeFecharEncerraComCancelar) {
    for (const TTipoMensagens tipos : {Advertencia, Gravacao, ResAEC, TTipoMensagens{}}) {
        SCOPED_TRACE(static_cast<int>(tipos.bits()));
        EXPECT_EQ(
            mensagemCom("Texto", tipos, [](TFormMens& janela) { janela.windowHandle()->close(); }),
            mrCancel);
    }
}

TEST(Mensagem, JanelaCentradaNaTela) {
    mensagemCom("Texto", Advertencia, [](TFormMens& janela) {
        const QPoint centro = janela.screen()->geometry().center();
        EXPECT_LE((janela.frameGeometry().center() - centro).manhattanLength(), 2);
        janela.reject();
    });
}

struct CasoDeRolagem {
    const char* nome;
    std::string texto;
    bool barraVertical;
};

std::string linhas(int quantas, const std::string& fim = "") {
    std::string texto;
    for (int i = 1; i <= quantas; ++i)
        texto += (i > 1 ? "\r\n" : "") + std::string("Linha ") + std::to_string(i);
    return texto + fim;
}

TEST(Mensagem, BarraDeRolagemVerticalAPartirDeOitoLinhasExibidas) {
    const std::string longa(800, 'x');
    const std::string palavras = [] {
        std::string texto;
        for (int i = 0; i < 40; ++i)
            texto += "palavra ";
        return texto;
    }();
    const CasoDeRolagem casos[] = {
        {"vazio", "", false},
        {"uma linha", "Uma linha", false},
        {"7 linhas", linhas(7), false},
        {"8 linhas", linhas(8), true},
        {"7 linhas e CR LF", linhas(7, "\r\n"), false},
        {"8 linhas e CR LF", linhas(8, "\r\n"), true},
        {"7 linhas, a do meio vazia", linhas(3) + "\r\n\r\n" + linhas(3), false},
        // Word wrap makes display lines of one long line.
        {"6 linhas e uma que quebra", linhas(6) + "\r\n" + palavras, true},
        {"palavra sem espaços que quebra", longa, true},
    };
    for (const CasoDeRolagem& caso : casos) {
        SCOPED_TRACE(caso.nome);
        mensagemCom(caso.texto, Advertencia, [&](TFormMens& janela) {
            EXPECT_EQ(janela.Memo1->verticalScrollBar()->isVisible(), caso.barraVertical);
            EXPECT_FALSE(janela.Memo1->horizontalScrollBar()->isVisible());
            janela.reject();
        });
    }
}

TEST(Mensagem, TextoExibidoSemAlteracao) {
    const std::string texto = "Primeira linha\r\nSegunda: ção, €, \"aspas\"\r\n\r\nQuarta";
    mensagemCom(texto, Informacao, [](TFormMens& janela) {
        EXPECT_EQ(janela.Memo1->toPlainText(),
                  QString::fromUtf8("Primeira linha\nSegunda: ção, €, \"aspas\"\n\nQuarta"));
        EXPECT_EQ(janela.linhasExibidas(), 4);
        janela.reject();
    });
}

TEST(Mensagem, JanelaLiberadaDepoisDoRetorno) {
    QPointer<TFormMens> janelaMostrada;
    mensagemCom("Texto", Advertencia, [&](TFormMens& janela) {
        EXPECT_EQ(&janela, FormMens);
        janelaMostrada = &janela;
        janela.reject();
    });
    EXPECT_EQ(FormMens, nullptr);
    ASSERT_FALSE(janelaMostrada.isNull()) << "released later, from the event loop";
    EXPECT_FALSE(janelaMostrada->isVisible());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(janelaMostrada.isNull());
}

TEST(Mensagem, JanelaLiberadaQuandoAExibicaoFalha) {
    QPointer<TFormMens> janelaCriada;
    const ExibicaoModal anterior = trocarExibicaoModal([&](TFormMens& janela) -> std::int32_t {
        janelaCriada = &janela;
        janela.show();
        throw std::runtime_error("falha ao exibir");
    });
    try {
        Mensagem("Texto", Gravacao);
        ADD_FAILURE() << "the error did not reach the caller";
    } catch (const std::runtime_error& erro) {
        EXPECT_STREQ(erro.what(), "falha ao exibir");
    }
    trocarExibicaoModal(anterior);
    EXPECT_EQ(FormMens, nullptr);
    ASSERT_FALSE(janelaCriada.isNull());
    EXPECT_FALSE(janelaCriada->isVisible());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(janelaCriada.isNull());
}

TEST(Mensagem, ForaDaLinhaDeExecucaoDasJanelasFalhaSemCriarJanela) {
    const auto janelasAntes = QApplication::topLevelWidgets().size();
    std::string erro;
    std::thread outra([&] {
        try {
            Mensagem("Texto", Advertencia);
        } catch (const std::logic_error& e) {
            erro = e.what();
        }
    });
    outra.join();
    EXPECT_EQ(erro, "Mensagem: chamada fora da linha de execução das janelas");
    EXPECT_EQ(FormMens, nullptr);
    EXPECT_EQ(QApplication::topLevelWidgets().size(), janelasAntes);
}

TEST(Mensagem, PiscaAJanelaACadaTique) {
    std::vector<std::uintptr_t> piscadas;
    const PiscadorDeJanela anterior =
        trocarPiscador([&](std::uintptr_t janela) { piscadas.push_back(janela); });
    int tiques = 0;
    std::uintptr_t idDaJanela = 0;
    mensagemCom("Texto", Advertencia, [&](TFormMens& janela) {
        idDaJanela = static_cast<std::uintptr_t>(janela.winId());
        QObject::connect(janela.Timer1, &QTimer::timeout, [&] { ++tiques; });
        EXPECT_TRUE(QTest::qWaitFor([&] { return tiques >= 2; }, 4000));
        janela.reject();
    });
    trocarPiscador(anterior);
    EXPECT_EQ(piscadas.size(), static_cast<std::size_t>(tiques));
    for (const std::uintptr_t janela : piscadas)
        EXPECT_EQ(janela, idDaJanela);
}

} // namespace
