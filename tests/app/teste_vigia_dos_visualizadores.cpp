// The watcher of the viewers, on the event loop, with real interpreters: which ends bring a
// warning, and how several warnings, and other messages, take turns on the screen.

#include "app/VigiaDosVisualizadores.h"
#include "messages/UnFuncao.h"
#include "messages/UnMens.h"

#include <gtest/gtest.h>

#include <QTest>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

namespace {

// Takes the place of the dialog's modal show while it lives: records each message's text and how
// many were open at once, runs `durante` while the first one is "open", and closes each with OK.
class GravadorDeExibicoes {
public:
    explicit GravadorDeExibicoes(std::function<void()> durante = {})
        : fDurante(std::move(durante)),
          fAnterior(trocarExibicaoModal([this](TFormMens& janela) { return exibir(janela); })) {}
    ~GravadorDeExibicoes() { trocarExibicaoModal(fAnterior); }
    GravadorDeExibicoes(const GravadorDeExibicoes&) = delete;
    GravadorDeExibicoes& operator=(const GravadorDeExibicoes&) = delete;

    const std::vector<std::string>& textos() const { return fTextos; }
    int maisAbertasDeUmaVez() const { return fMaximo; }

private:
    std::int32_t exibir(TFormMens& janela) {
        ++fAbertas;
        fMaximo = std::max(fMaximo, fAbertas);
        if (fTextos.empty() && fDurante)
            fDurante();
        fTextos.push_back(janela.Memo1->toPlainText().toStdString());
        --fAbertas;
        return mrOk;
    }

    std::function<void()> fDurante;
    ExibicaoModal fAnterior;
    std::vector<std::string> fTextos;
    int fAbertas = 0;
    int fMaximo = 0;
};

void iniciar(VigiaDosVisualizadores& vigia, const std::string& comando) {
    vigia.vigiar(plataforma::iniciarInterpretadorOculto("/c " + comando));
}

TEST(VigiaDosVisualizadores, CadaFalhaUmAvisoUmDeCadaVez) {
    GravadorDeExibicoes exibicoes;
    VigiaDosVisualizadores vigia;
    for (const char* codigo : {"3", "4", "5"})
        iniciar(vigia, std::string("echo visualizador ") + codigo + " falhou >&2; exit " + codigo);
    ASSERT_TRUE(QTest::qWaitFor([&] { return exibicoes.textos().size() == 3; }, 10000));

    std::vector<std::string> textos = exibicoes.textos();
    std::sort(textos.begin(), textos.end());
    for (int i = 0; i < 3; ++i) {
        const std::string codigo = std::to_string(i + 3);
        EXPECT_EQ(textos[static_cast<std::size_t>(i)],
                  "O relatório não pôde ser aberto: o visualizador de relatórios terminou com o "
                  "código de saída " +
                      codigo + ". O que ele informou por último:\n\nvisualizador " + codigo +
                      " falhou");
    }
    EXPECT_EQ(exibicoes.maisAbertasDeUmaVez(), 1);
    EXPECT_EQ(vigia.vigiados(), 0u);
}

TEST(VigiaDosVisualizadores, SucessoNaoAvisaOQueQuerQueTenhaEscrito) {
    GravadorDeExibicoes exibicoes;
    VigiaDosVisualizadores vigia;
    iniciar(vigia, "echo Picked up JAVA_TOOL_OPTIONS >&2; exit 0");
    iniciar(vigia, "exit 0");
    ASSERT_TRUE(QTest::qWaitFor([&] { return vigia.vigiados() == 0; }, 10000));
    QTest::qWait(50);
    EXPECT_TRUE(exibicoes.textos().empty());
}

// A viewer that fails while another message is open: its warning comes after that one closes.
TEST(VigiaDosVisualizadores, AvisoEsperaAMensagemAberta) {
    VigiaDosVisualizadores vigia;
    GravadorDeExibicoes exibicoes([&vigia] {
        // The viewer ends while this message is open, and its watch sees it.
        EXPECT_TRUE(QTest::qWaitFor([&vigia] { return vigia.vigiados() == 0; }, 10000));
        QTest::qWait(50);
    });
    iniciar(vigia, "exit 1");
    Mensagem("Outra mensagem", Informacao);
    ASSERT_TRUE(QTest::qWaitFor([&] { return exibicoes.textos().size() == 2; }, 10000));
    EXPECT_EQ(exibicoes.textos()[0], "Outra mensagem");
    EXPECT_EQ(exibicoes.textos()[1], "O relatório não pôde ser aberto: o visualizador de "
                                     "relatórios terminou com o código de saída 1 e não informou "
                                     "o motivo.");
    EXPECT_EQ(exibicoes.maisAbertasDeUmaVez(), 1);
}

// The watcher goes (the program ends) while a viewer runs: the viewer is neither ended nor
// waited for.
TEST(VigiaDosVisualizadores, AoSairNaoEsperaNemEncerraOVisualizador) {
    GravadorDeExibicoes exibicoes;
    const auto inicio = std::chrono::steady_clock::now();
    {
        VigiaDosVisualizadores vigia;
        iniciar(vigia, "sleep 2; exit 1");
    }
    EXPECT_LT(std::chrono::steady_clock::now() - inicio, std::chrono::seconds(1));
    QTest::qWait(50);
    EXPECT_TRUE(exibicoes.textos().empty());
}

} // namespace
