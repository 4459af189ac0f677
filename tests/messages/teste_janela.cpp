// The message window as built from its design, before any kind of message is applied.
#include "messages/UnFuncao.h"
#include "messages/UnMens.h"

#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

TEST(TFormMens, EstadoDeDesenho) {
    TFormMens janela;
    EXPECT_EQ(janela.windowTitle(), QString::fromUtf8("Confirmar Exclusão de Arquivos"));
    EXPECT_EQ(janela.size(), QSize(377, 158));
    EXPECT_EQ(janela.minimumSize(), janela.maximumSize()) << "fixed size";
    EXPECT_EQ(janela.font().family(), QStringLiteral("MS Sans Serif"));
    EXPECT_EQ(janela.font().pixelSize(), 11);
    EXPECT_EQ(janela.botaoFoco, nullptr);
    EXPECT_EQ(janela.parentWidget(), nullptr) << "a top-level window of its own";

    const Qt::WindowFlags moldura = janela.windowFlags();
    EXPECT_TRUE(moldura.testFlag(Qt::WindowCloseButtonHint));
    EXPECT_FALSE(moldura.testFlag(Qt::WindowMinimizeButtonHint));
    EXPECT_FALSE(moldura.testFlag(Qt::WindowMaximizeButtonHint));
#ifndef Q_OS_WIN
    // Dialog and tool windows are transient or utility windows, which X11 taskbars leave out.
    EXPECT_EQ(janela.windowType(), Qt::Window);
#endif

    EXPECT_EQ(janela.Memo1->geometry(), QRect(48, 8, 329, 118));
    EXPECT_TRUE(janela.Memo1->isReadOnly());
    EXPECT_TRUE(janela.Memo1->textInteractionFlags().testFlag(Qt::TextSelectableByMouse));
    EXPECT_EQ(janela.Memo1->frameShape(), QFrame::NoFrame);
    EXPECT_EQ(janela.Memo1->lineWrapMode(), QPlainTextEdit::WidgetWidth);
    EXPECT_EQ(janela.Memo1->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    EXPECT_EQ(janela.Memo1->palette().color(QPalette::Base),
              janela.palette().color(QPalette::Button));
    EXPECT_TRUE(janela.Memo1->toPlainText().isEmpty());

    EXPECT_EQ(janela.Timer1->interval(), 1000);
    EXPECT_TRUE(janela.Timer1->isActive()) << "the timer runs from creation";
}

TEST(TFormMens, SimbolosOcultosNoCantoEmTamanhoNatural) {
    TFormMens janela;
    const struct {
        QLabel* imagem;
        QPoint posicao;
    } simbolos[] = {
        {janela.ImgExc, {8, 8}},  {janela.ImgGrav, {8, 7}}, {janela.ImgAdv, {8, 8}},
        {janela.ImgInfo, {8, 8}}, {janela.ImgConf, {8, 8}}, {janela.ImgResAEC, {8, 8}},
    };
    for (const auto& simbolo : simbolos) {
        SCOPED_TRACE(simbolo.imagem->objectName().toStdString());
        EXPECT_EQ(simbolo.imagem->geometry(), QRect(simbolo.posicao, QSize(33, 33)));
        EXPECT_TRUE(simbolo.imagem->isHidden());
        EXPECT_FALSE(simbolo.imagem->hasScaledContents());
        const QPixmap figura = simbolo.imagem->pixmap();
        ASSERT_FALSE(figura.isNull());
        EXPECT_EQ(figura.size(), QSize(32, 32));
        EXPECT_TRUE(figura.hasAlphaChannel());
        EXPECT_EQ(figura.toImage().pixelColor(0, 0).alpha(), 0) << "transparent background";
    }
}

TEST(TFormMens, BotoesOcultosNasPosicoesDeDesenhoComSeusResultados) {
    TFormMens janela;
    const struct {
        QPushButton* botao;
        int esquerda;
        const char* legenda;
        int resultado;
        bool figura;
    } botoes[] = {
        {janela.bbSim, 49, "&Sim", mrYes, true},
        {janela.bbNao, 133, "&Não", mrNo, true},
        {janela.bbOk, 300, "&OK", mrOk, false},
        {janela.bbCancel, 216, "&Cancelar", mrCancel, false},
    };
    for (const auto& b : botoes) {
        SCOPED_TRACE(b.legenda);
        EXPECT_EQ(b.botao->geometry(), QRect(b.esquerda, 130, 75, 25));
        EXPECT_TRUE(b.botao->isHidden());
        EXPECT_EQ(b.botao->text(), QString::fromUtf8(b.legenda));
        EXPECT_EQ(b.botao->icon().isNull(), !b.figura);
        if (b.figura) {
            EXPECT_EQ(b.botao->iconSize(), QSize(16, 16));
            EXPECT_EQ(b.botao->icon().availableSizes().value(0), QSize(16, 16));
        }
        janela.setResult(mrNone);
        b.botao->click();
        EXPECT_EQ(janela.result(), b.resultado);
    }
    EXPECT_TRUE(janela.bbSim->isDefault());
    for (QPushButton* outro : {janela.bbNao, janela.bbOk, janela.bbCancel})
        EXPECT_FALSE(outro->isDefault());
}

TEST(TFormMens, OrdemDeTabulacao) {
    TFormMens janela;
    const QWidget* ordem[] = {janela.bbSim, janela.bbNao, janela.bbOk, janela.bbCancel,
                              janela.Memo1};
    for (std::size_t i = 0; i + 1 < std::size(ordem); ++i) {
        const QWidget* seguinte = ordem[i]->nextInFocusChain();
        // The chain may pass through parts of a control that take no focus.
        while (seguinte->focusPolicy() == Qt::NoFocus)
            seguinte = seguinte->nextInFocusChain();
        EXPECT_EQ(seguinte, ordem[i + 1]) << ordem[i]->objectName().toStdString();
    }
}

} // namespace
