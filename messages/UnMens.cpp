#include "messages/UnMens.h"

#include "messages/UnFuncao.h"
#include "platform/barra_de_tarefas.h"
#include "platform/piscar_janela.h"

#include <QAbstractTextDocumentLayout>
#include <QAccessible>
#include <QAccessibleWidget>
#include <QKeyEvent>
#include <QKeySequence>
#include <QPushButton>
#include <QScreen>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>
#include <QTimer>

#include <utility>

// The pictures live in a resource of this static library; nothing else refers to it, so it has to
// be registered by hand.
static void registrarImagens() {
    Q_INIT_RESOURCE(UnMens);
}

TFormMens* FormMens = nullptr;

namespace {

// A narrow tool-window caption with a close box only, fixed in size. Windows gives a tool window
// its own taskbar button through darBotaoNaBarraDeTarefas. X11 taskbars leave tool windows out
// whatever their style, so there the window is a normal top-level window with the same caption
// buttons.
constexpr Qt::WindowFlags molduraDaJanela =
#ifdef Q_OS_WIN
    Qt::Tool |
#else
    Qt::Window |
#endif
    Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
    Qt::MSWindowsFixedSizeDialogHint;

// The character height of the window's font, in pixels.
constexpr int alturaDaFonte = 11;

// The text box shows a vertical scroll bar from this many lines on.
constexpr int linhasComBarraDeRolagem = 8;

constexpr char16_t teclaEsc = 27;
constexpr char16_t teclaEnter = 13;

PiscadorDeJanela& piscadorAtual() {
    static PiscadorDeJanela piscador = plataforma::piscarJanela;
    return piscador;
}

ExibicaoModal& exibicaoAtual() {
    static ExibicaoModal exibicao = [](TFormMens& janela) { return janela.ShowModal(); };
    return exibicao;
}

// The character a key press types, as the key-press handler sees it; null for keys that type
// none. Esc and Enter are taken from the key, since not every source of key events fills in
// their text.
QChar caractereDigitado(const QKeyEvent& tecla) {
    switch (tecla.key()) {
    case Qt::Key_Escape:
        return QChar(teclaEsc);
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return QChar(teclaEnter);
    default:
        return tecla.text().isEmpty() ? QChar() : tecla.text().front();
    }
}

// Screen readers announce a window of the alert role as it appears, and read its text, as they
// do the system's message boxes; a plain dialog would only be named by its caption.
QAccessibleInterface* alertaParaLeitoresDeTela(const QString& classe, QObject* objeto) {
    if (classe == QLatin1String("TFormMens") && objeto != nullptr && objeto->isWidgetType())
        return new QAccessibleWidget(static_cast<QWidget*>(objeto), QAccessible::AlertMessage);
    return nullptr;
}

void registrarAlertaParaLeitoresDeTela() {
    static const bool registrado = [] {
        QAccessible::installFactory(alertaParaLeitoresDeTela);
        return true;
    }();
    (void)registrado;
}

} // namespace

TFormMens::TFormMens(QWidget* parent) : QDialog(parent, molduraDaJanela) {
    registrarImagens();
    registrarAlertaParaLeitoresDeTela();
    setupUi(this);
    FormCreate();
}

void TFormMens::FormCreate() {
    setFixedSize(size());

    // Designer keeps font sizes in points; the window's font is specified by its pixel height.
    QFont fonte = font();
    fonte.setPixelSize(alturaDaFonte);
    setFont(fonte);

    // The text box reads as part of the window rather than as an input field.
    QPalette cores = Memo1->palette();
    cores.setColor(QPalette::Base, cores.color(QPalette::Button));
    cores.setColor(QPalette::Text, cores.color(QPalette::ButtonText));
    Memo1->setPalette(cores);
    // Like the system's text boxes, a word longer than the line is broken rather than cut off.
    Memo1->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    Memo1->setAccessibleName(QStringLiteral("Texto da mensagem"));

    // Every control that can hold the focus passes its key presses by FormKeyPress first.
    for (QWidget* controle :
         {static_cast<QWidget*>(bbSim), static_cast<QWidget*>(bbNao), static_cast<QWidget*>(bbOk),
          static_cast<QWidget*>(bbCancel), static_cast<QWidget*>(Memo1)}) {
        controle->installEventFilter(this);
    }

    for (QPushButton* botao : {bbSim, bbNao, bbOk, bbCancel}) {
        const int resultado = botao->property("resultadoModal").toInt();
        connect(botao, &QPushButton::clicked, this, [this, resultado] { done(resultado); });
    }

    plataforma::darBotaoNaBarraDeTarefas(static_cast<std::uintptr_t>(winId()));

    Timer1 = new QTimer(this);
    Timer1->setInterval(1000);
    connect(Timer1, &QTimer::timeout, this, &TFormMens::Timer1Timer);
    Timer1->start();
}

std::int32_t TFormMens::ShowModal() {
    const int resultado = exec();
    return resultado == mrNone ? mrCancel : resultado;
}

void TFormMens::reject() {
    done(mrCancel);
}

void TFormMens::showEvent(QShowEvent* evento) {
    QDialog::showEvent(evento);
    if (!evento->spontaneous()) {
        centrarNaTela();
        FormShow();
        // The alert is announced with its caption and, as its description, the message.
        setAccessibleDescription(Memo1->toPlainText());
        QAccessibleEvent alerta(this, QAccessible::Alert);
        QAccessible::updateAccessibility(&alerta);
        // A tool window comes up without taking the keyboard, and the window behind it is
        // disabled while the message is open: it takes the keyboard itself, so that Enter and Esc
        // answer it at once.
        activateWindow();
    }
}

void TFormMens::centrarNaTela() {
    // The frame may not be known before the window is first on screen; then the client area is
    // centred instead.
    const QRect tela = screen()->geometry();
    const QSize janela = frameGeometry().size();
    move(tela.center() - QPoint(janela.width() / 2, janela.height() / 2));
}

int TFormMens::linhasExibidas() const {
    const QTextDocument* documento = Memo1->document();
    QAbstractTextDocumentLayout* leiaute = documento->documentLayout();
    int linhas = 0;
    for (QTextBlock bloco = documento->begin(); bloco.isValid(); bloco = bloco.next()) {
        leiaute->blockBoundingRect(bloco); // lays the paragraph out at the text box's width
        linhas += bloco.layout()->lineCount();
    }
    // The paragraph after a final line break, or the only one of an empty text, is empty.
    if (documento->lastBlock().length() <= 1)
        --linhas;
    return linhas;
}

void TFormMens::FormShow() {
    Memo1->setVerticalScrollBarPolicy(linhasExibidas() >= linhasComBarraDeRolagem
                                          ? Qt::ScrollBarAlwaysOn
                                          : Qt::ScrollBarAlwaysOff);
    if (botaoFoco)
        botaoFoco->setFocus();
}

// The shown button whose underlined letter this key is, pressed without Alt, Ctrl or Meta.
QPushButton* TFormMens::botaoDaLetra(const QKeyEvent& tecla) const {
    const Qt::KeyboardModifiers outros = Qt::AltModifier | Qt::ControlModifier | Qt::MetaModifier;
    if ((tecla.modifiers() & outros) != 0 || tecla.key() < Qt::Key_A || tecla.key() > Qt::Key_Z)
        return nullptr;
    const QKeySequence letra(QKeyCombination(Qt::AltModifier, static_cast<Qt::Key>(tecla.key())));
    for (QPushButton* botao : {bbSim, bbNao, bbOk, bbCancel}) {
        if (botao->isVisible() && QKeySequence::mnemonic(botao->text()) == letra)
            return botao;
    }
    return nullptr;
}

bool TFormMens::eventFilter(QObject* alvo, QEvent* evento) {
    if (evento->type() == QEvent::KeyPress) {
        // With the focus on a button, a button's underlined letter alone presses it, as in the
        // system's own dialogs; Alt with the letter works anywhere.
        QPushButton* botao = qobject_cast<QPushButton*>(alvo) != nullptr
                                 ? botaoDaLetra(*static_cast<QKeyEvent*>(evento))
                                 : nullptr;
        if (botao != nullptr) {
            botao->click();
            return true;
        }
        const QChar caractere = caractereDigitado(*static_cast<QKeyEvent*>(evento));
        if (!caractere.isNull())
            FormKeyPress(caractere);
    }
    return QDialog::eventFilter(alvo, evento);
}

void TFormMens::FormKeyPress(QChar Key) {
    if (Key == teclaEsc) {
        close();
    } else if (Key == teclaEnter && focusWidget() == Memo1) {
        if (bbSim->isVisible())
            bbSim->click();
        else if (bbOk->isVisible())
            bbOk->click();
    }
}

// FormKeyPress already acts on Esc and Enter; the dialog's own handling of them (Esc rejects,
// Enter presses the default button) would act a second time.
void TFormMens::keyPressEvent(QKeyEvent* evento) {
    QWidget::keyPressEvent(evento);
}

void TFormMens::Timer1Timer() {
    piscadorAtual()(static_cast<std::uintptr_t>(winId()));
}

PiscadorDeJanela trocarPiscador(PiscadorDeJanela novo) {
    return std::exchange(piscadorAtual(), std::move(novo));
}

std::int32_t exibirModal(TFormMens& janela) {
    return exibicaoAtual()(janela);
}

ExibicaoModal trocarExibicaoModal(ExibicaoModal nova) {
    return std::exchange(exibicaoAtual(), std::move(nova));
}
