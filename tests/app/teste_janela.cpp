#include "app/Aplicacao.h"
#include "app/UnPrincipal.h"
#include "tests/app/apoio.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QGuiApplication>
#include <QScreen>
#include <QTest>
#include <gtest/gtest.h>

#include <memory>

namespace {

std::unique_ptr<TFormPrincipal> janelaSemErros() {
    return std::make_unique<TFormPrincipal>(TDependenciasPrincipal{
        [] { return separarArgumentos("p srv 5432 u s db 1 2 login"); }, [] {},
        [] { return plataforma::DataHoraLocal{2025, 3, 12, 9, 0, 0, 0}; }});
}

} // namespace

TEST(JanelaDeFiltros, TituloTamanhoEPosicoesDosControles) {
    const auto janela = janelaSemErros();
    janela->show();
    EXPECT_EQ(janela->windowTitle(), "Relação de Licensa Clientes");
    EXPECT_EQ(janela->size(), QSize(791, 182));

    const std::vector<std::pair<QWidget*, QRect>> posicoes{
        {janela->PanelTitulo, {0, 0, 791, 30}}, {janela->GroupBox1, {0, 30, 791, 100}},
        {janela->Panel1, {0, 130, 791, 52}},    {janela->DTPDe, {151, 15, 97, 23}},
        {janela->DTPAte, {254, 15, 97, 23}},    {janela->CBQQData, {357, 18, 97, 17}},
        {janela->cbData, {3, 15, 142, 23}},     {janela->cbData2, {3, 44, 142, 23}},
        {janela->DTPDe2, {151, 44, 97, 23}},    {janela->DTPAte2, {254, 44, 97, 23}},
        {janela->CBQQData2, {357, 47, 97, 17}}, {janela->Label11, {10, 4, 72, 16}},
        {janela->cbOrdem, {5, 22, 130, 24}},    {janela->rgFormato, {141, 6, 537, 40}},
        {janela->BitBtn1, {684, 13, 100, 33}},
    };
    for (const auto& [controle, posicao] : posicoes)
        EXPECT_EQ(controle->geometry(), posicao) << controle->objectName().toStdString();
    EXPECT_EQ(janela->GroupBox2->height(), 80);
    EXPECT_EQ(janela->GroupBox2->parentWidget(), janela->GroupBox1);
}

TEST(JanelaDeFiltros, AoRedimensionarSoOsPaineisEGruposAcompanham) {
    const auto janela = janelaSemErros();
    janela->show();
    const QRect imprimir = janela->BitBtn1->geometry();
    const QRect de = janela->DTPDe->geometry();
    janela->resize(1000, 300);
    QTest::qWait(0);

    EXPECT_EQ(janela->PanelTitulo->geometry(), QRect(0, 0, 1000, 30));
    EXPECT_EQ(janela->Panel1->geometry(), QRect(0, 248, 1000, 52));
    EXPECT_EQ(janela->GroupBox1->geometry(), QRect(0, 30, 1000, 218));
    EXPECT_EQ(janela->GroupBox2->height(), 80);
    EXPECT_GT(janela->GroupBox2->width(), 990);
    EXPECT_EQ(janela->BitBtn1->geometry(), imprimir);
    EXPECT_EQ(janela->DTPDe->geometry(), de);
}

TEST(JanelaDeFiltros, PainelDeTituloRoxoComTextoBrancoEmNegrito) {
    const auto janela = janelaSemErros();
    janela->show();
    const QColor roxo(73, 46, 115);
    EXPECT_EQ(janela->PanelTitulo->text(), "Relação de Clientes - Licensa [v25.03.12.1]");
    EXPECT_EQ(janela->PanelTitulo->palette().color(QPalette::WindowText), QColor(Qt::white));
    EXPECT_TRUE(janela->PanelTitulo->font().bold());
    // Painted by the style as well: a spot left of the text shows the purple.
    const QImage imagem = janela->PanelTitulo->grab().toImage();
    EXPECT_EQ(QColor(imagem.pixel(20, 15)), roxo);
}

TEST(JanelaDeFiltros, ConteudoInicialDosControles) {
    ObservadorDeCaixas caixas;
    const auto janela = std::make_unique<TFormPrincipal>(TDependenciasPrincipal{
        [] { return separarArgumentos("p"); }, [] {}, [] { return plataforma::DataHoraLocal{}; }});
    ASSERT_EQ(caixas.caixas().size(), 1u); // no arguments: the design-time values remain
    for (const QDateEdit* seletor :
         {janela->DTPDe, janela->DTPAte, janela->DTPDe2, janela->DTPAte2}) {
        EXPECT_EQ(seletor->date(), QDate(2018, 1, 12));
        EXPECT_TRUE(seletor->calendarPopup());
        EXPECT_TRUE(seletor->displayFormat().contains("yyyy"));
        EXPECT_FALSE(seletor->displayFormat().contains('h'));
    }
    EXPECT_FALSE(janela->CBQQData->isChecked());
    EXPECT_EQ(janela->CBQQData2->text(), "Qualquer data");
    EXPECT_TRUE(janela->cbData->isEditable());
    EXPECT_EQ(janela->cbData->currentText(), "Dt.Vencimento Chave");
    EXPECT_EQ(janela->cbData2->currentText(), "Dt.Vencimento Boleto");
    EXPECT_FALSE(janela->cbOrdem->isEditable());
    EXPECT_EQ(janela->cbOrdem->count(), 3);
    EXPECT_EQ(janela->cbOrdem->currentText(), "Data");
    EXPECT_EQ(janela->rgFormato->title(), "Formato");
    EXPECT_TRUE(janela->rbVisualizacao->isChecked());
    EXPECT_EQ(janela->rbExcel->text(), "Excel(XLS)");
    EXPECT_EQ(janela->BitBtn1->text(), "&Imprimir");
    EXPECT_FALSE(janela->BitBtn1->icon().isNull());
    EXPECT_EQ(janela->Label11->text(), "Ordenar por");
}

// The faces shown: the Windows family where the machine has it, else Liberation Sans, which the
// test machines have.
TEST(JanelaDeFiltros, FontesDosControles) {
    const auto janela = janelaSemErros();
    janela->show();
    struct Fonte {
        QWidget* controle;
        QString familia;
        int altura;
        bool negrito;
    };
    const std::vector<Fonte> fontes{
        {janela->DTPDe, "Segoe UI", 12, false},
        {janela->cbData2, "Segoe UI", 12, false},
        {janela->GroupBox2, "Segoe UI", 12, false},
        {janela->PanelTitulo, "Tahoma", 11, true},
        {janela->Label11, "MS Sans Serif", 13, false},
        {janela->cbOrdem, "MS Sans Serif", 13, false},
        {janela->BitBtn1, "MS Sans Serif", 13, false},
        {janela->rbPDF, "MS Sans Serif", 12, true},
    };
    const QStringList instaladas = QFontDatabase::families();
    for (const Fonte& fonte : fontes) {
        SCOPED_TRACE(fonte.controle->objectName().toStdString());
        const QFontInfo mostrada(fonte.controle->font());
        EXPECT_EQ(mostrada.family(),
                  instaladas.contains(fonte.familia) ? fonte.familia : "Liberation Sans");
        EXPECT_EQ(mostrada.pixelSize(), fonte.altura);
        EXPECT_EQ(mostrada.bold(), fonte.negrito);
    }
}

// Each group box: a thin border in the palette's mid colour 7 px below its top, rounded at the
// corners, broken by the title, and the window's own background inside.
TEST(JanelaDeFiltros, GruposComBordaFinaETituloSobreABorda) {
    const auto janela = janelaSemErros();
    janela->show();
    for (QGroupBox* grupo : {janela->GroupBox1, janela->GroupBox2, janela->rgFormato}) {
        SCOPED_TRACE(grupo->objectName().toStdString());
        const QImage imagem = grupo->grab().toImage();
        const QRgb borda = grupo->palette().color(QPalette::Mid).rgb();
        const QRgb fundo = grupo->palette().color(QPalette::Window).rgb();
        const int direita = imagem.width() - 1, base = imagem.height() - 1;
        EXPECT_EQ(imagem.pixel(4, 7), borda);           // top edge, left of the title
        EXPECT_EQ(imagem.pixel(direita - 4, 7), borda); // top edge, right of the title
        EXPECT_EQ(imagem.pixel(0, 20), borda);
        EXPECT_EQ(imagem.pixel(direita, 20), borda);
        EXPECT_EQ(imagem.pixel(20, base), borda);
        EXPECT_NE(imagem.pixel(0, base), borda);               // rounded corner
        EXPECT_EQ(imagem.pixel(direita - 3, base - 2), fundo); // no fill inside
        EXPECT_NE(imagem.pixel(10, 7), borda);                 // the title breaks the border
    }
    EXPECT_EQ(janela->rgFormato->contentsRect(), janela->rgFormato->rect().adjusted(1, 8, -1, -1));
}

TEST(JanelaDeFiltros, OrdemDeTabulacao) {
    const auto janela = janelaSemErros();
    const std::vector<QWidget*> esperada{
        janela->DTPDe,  janela->DTPAte,  janela->CBQQData,  janela->cbData,  janela->cbData2,
        janela->DTPDe2, janela->DTPAte2, janela->CBQQData2, janela->cbOrdem, janela->rbVisualizacao,
        janela->rbPDF,  janela->rbExcel, janela->BitBtn1};
    std::vector<QWidget*> visitados;
    QWidget* atual = esperada.front();
    do {
        if (std::find(esperada.begin(), esperada.end(), atual) != esperada.end())
            visitados.push_back(atual);
        atual = atual->nextInFocusChain();
    } while (atual != esperada.front());
    EXPECT_EQ(visitados, esperada);
}

TEST(JanelaDeFiltros, CentradaNaTelaAoAbrir) {
    const auto janela = janelaSemErros();
    janela->show();
    const QPoint centroDaTela = QGuiApplication::primaryScreen()->availableGeometry().center();
    EXPECT_LE((janela->frameGeometry().center() - centroDaTela).manhattanLength(), 2);
}

TEST(JanelaDeFiltros, MaiorQueATelaFicaComOCantoNaTela) {
    const auto janela = janelaSemErros();
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    janela->resize(area.width() + 600, area.height() + 400);
    janela->show();
    EXPECT_GE(janela->frameGeometry().left(), area.left());
    EXPECT_GE(janela->frameGeometry().top(), area.top());
}

TEST(JanelaDeFiltros, AbreNoEstadoPedidoPeloProcessoPai) {
    using plataforma::EstadoDeExibicao;
    const std::vector<std::pair<EstadoDeExibicao, Qt::WindowStates>> casos{
        {EstadoDeExibicao::normal, Qt::WindowNoState},
        {EstadoDeExibicao::maximizado, Qt::WindowMaximized},
        {EstadoDeExibicao::minimizado, Qt::WindowMinimized},
    };
    for (const auto& [estado, esperado] : casos) {
        const auto janela = janelaSemErros();
        exibirJanelaPrincipal(*janela, estado);
        EXPECT_TRUE(janela->isVisible());
        EXPECT_EQ(janela->windowState(), esperado);
    }
}
