#include "app/SeletorDeData.h"

#include "app/TextoDeData.h"
#include "platform/ano_de_dois_digitos.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QStyle>
#include <QStyleOptionComboBox>

#include <algorithm>
#include <utility>

// The spin box under the picker takes any move of its cursor into another section as the end of
// the editing of the one left: a text that is not a whole date is then replaced by the last whole
// date. The picker therefore moves between sections by selecting the section it goes to, which
// the spin box takes as a plain move, and writes a two-digit year out before it leaves the year.

SeletorDeData::SeletorDeData(QWidget* parent) : QDateEdit(parent) {
    lineEdit()->installEventFilter(this);
}

std::optional<QDate> SeletorDeData::dataMostrada() const {
    return dataInteira(text(), displayFormat());
}

void SeletorDeData::completarAno() {
    const std::optional<QString> completo =
        comAnoEmQuatroDigitos(text(), displayFormat(), plataforma::ultimoAnoDeDoisDigitos());
    if (!completo)
        return;
    const qsizetype inicio = lerDataDigitada(text(), displayFormat())->ano.inicio;
    // Typed over the selected year, as if the user had typed the four digits.
    lineEdit()->setSelection(static_cast<int>(inicio + 2), -2);
    lineEdit()->insert(completo->mid(inicio, 4));
}

// The section of the text at a cursor position: the one that holds it, else the nearest.
int SeletorDeData::secaoNaPosicao(int posicao) const {
    const std::optional<DataDigitada> data = lerDataDigitada(text(), displayFormat());
    if (!data)
        return -1;
    int escolhida = -1;
    qsizetype distancia = 0;
    for (int indice = 0; indice < sectionCount(); ++indice) {
        const SecaoDigitada& secao = secaoDoTexto(*data, indice);
        const qsizetype fim = secao.inicio + secao.digitos;
        const qsizetype ate = posicao < secao.inicio ? secao.inicio - posicao
                              : posicao > fim        ? posicao - fim
                                                     : 0;
        if (escolhida < 0 || ate < distancia) {
            escolhida = indice;
            distancia = ate;
        }
    }
    return escolhida;
}

const SecaoDigitada& SeletorDeData::secaoDoTexto(const DataDigitada& data, int indice) const {
    switch (sectionAt(indice)) {
    case DaySection:
        return data.dia;
    case MonthSection:
        return data.mes;
    default:
        return data.ano;
    }
}

// Past either end the picker stays on its first or last section, selected again, so that what is
// typed next replaces it.
void SeletorDeData::irParaASecao(int indice) {
    indice = std::clamp(indice, 0, sectionCount() - 1);
    if (currentSection() == YearSection && sectionAt(indice) != YearSection)
        completarAno();
    const std::optional<DataDigitada> data = lerDataDigitada(text(), displayFormat());
    if (!data) {
        setCurrentSectionIndex(indice);
        return;
    }
    const SecaoDigitada& secao = secaoDoTexto(*data, indice);
    if (secao.digitos == 0)
        lineEdit()->setCursorPosition(static_cast<int>(secao.inicio));
    else
        lineEdit()->setSelection(static_cast<int>(secao.inicio + secao.digitos),
                                 -static_cast<int>(secao.digitos));
}

// The picker has no call that opens its calendar; a press on its arrow does.
void SeletorDeData::abrirCalendario() {
    QStyleOptionComboBox opcoes;
    opcoes.initFrom(this);
    opcoes.editable = true;
    opcoes.subControls =
        QStyle::SC_ComboBoxFrame | QStyle::SC_ComboBoxEditField | QStyle::SC_ComboBoxArrow;
    const QPointF seta =
        style()
            ->subControlRect(QStyle::CC_ComboBox, &opcoes, QStyle::SC_ComboBoxArrow, this)
            .center();
    QMouseEvent clique(QEvent::MouseButtonPress, seta, mapToGlobal(seta), Qt::LeftButton,
                       Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(this, &clique);
}

// Tab and Shift+Tab leave the picker, where the spin box would walk its sections first.
bool SeletorDeData::event(QEvent* evento) {
    if (evento->type() == QEvent::KeyPress) {
        const auto* tecla = static_cast<QKeyEvent*>(evento);
        const bool tab = tecla->key() == Qt::Key_Tab || tecla->key() == Qt::Key_Backtab;
        if (tab && !(tecla->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
            const bool adiante =
                tecla->key() == Qt::Key_Tab && !(tecla->modifiers() & Qt::ShiftModifier);
            QWidget::focusNextPrevChild(adiante);
            return true;
        }
    }
    return QDateEdit::event(evento);
}

void SeletorDeData::keyPressEvent(QKeyEvent* evento) {
    // A modifier pressed on its way to a character (Shift, AltGr) is not a key of its own. Under
    // Wine AltGr comes as a key without a name (0).
    switch (evento->key()) {
    case 0:
    case Qt::Key_unknown:
    case Qt::Key_Shift:
    case Qt::Key_Control:
    case Qt::Key_Alt:
    case Qt::Key_AltGr:
    case Qt::Key_Meta:
    case Qt::Key_Mode_switch:
        QDateEdit::keyPressEvent(evento);
        return;
    default:
        break;
    }
    const bool jaAvancou = std::exchange(fJaAvancou, false);
    const bool semModificador = (evento->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
    // Typed text, not a shortcut: Shift, AltGr (Ctrl and Alt together on Windows) and the keypad
    // may be held.
    const Qt::KeyboardModifiers modificadores = evento->modifiers();
    const bool digitado =
        !modificadores.testFlag(Qt::MetaModifier) &&
        modificadores.testFlag(Qt::ControlModifier) == modificadores.testFlag(Qt::AltModifier);
    switch (evento->key()) {
    case Qt::Key_Left:
    case Qt::Key_Right:
        if (semModificador) {
            irParaASecao(currentSectionIndex() + (evento->key() == Qt::Key_Right ? 1 : -1));
            return;
        }
        break;
    case Qt::Key_F4:
    case Qt::Key_Down:
        // F4 and Alt+Down open the calendar, as on the system's date pickers.
        if (evento->key() == Qt::Key_F4 ? semModificador : evento->modifiers() == Qt::AltModifier) {
            abrirCalendario();
            return;
        }
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter: {
        // Enter keeps what the field shows, a two-digit year written out, and moves nowhere: the
        // spin box would take it as the end of the editing, put back its last whole date over a
        // text that is not one and move on a section. The key goes on to the window.
        completarAno();
        if (const std::optional<QDate> data = dataMostrada()) {
            const int secao = currentSectionIndex();
            setDate(*data);
            irParaASecao(secao);
        }
        evento->ignore();
        return;
    }
    default:
        break;
    }

    const QString texto = evento->text();
    const bool digito = texto.size() == 1 && texto[0].isDigit();
    const bool separador = texto.size() == 1 && !digito &&
                           (texto[0].isPunct() || texto[0].isSymbol() || texto[0].isSpace());
    if (separador && digitado) {
        // One or more separators move to the next section once (after the year, they end it);
        // right after a section that moved on by itself, they are the ones the user meant for it.
        if (!jaAvancou) {
            if (currentSection() == YearSection)
                completarAno();
            irParaASecao(currentSectionIndex() + 1);
        }
        fJaAvancou = true;
        return;
    }
    if (digito && lineEdit()->hasSelectedText() && lineEdit()->selectedText() == text())
        irParaASecao(0);

    const int secaoAntes = currentSectionIndex();
    QDateEdit::keyPressEvent(evento);
    fJaAvancou = digito && currentSectionIndex() != secaoAntes;
}

// Entered from either side, the picker selects its first section, ready for a date typed in
// whole; the spin box would select the last one after Shift+Tab. It would also write its last
// whole date over a text that is not one; that text stays.
void SeletorDeData::focusInEvent(QFocusEvent* evento) {
    fJaAvancou = false;
    const bool inteira = dataMostrada().has_value();
    if (inteira)
        QDateEdit::focusInEvent(evento);
    else
        QAbstractSpinBox::focusInEvent(evento);
    switch (evento->reason()) {
    case Qt::MouseFocusReason:
    case Qt::PopupFocusReason:
    case Qt::ActiveWindowFocusReason:
        break;
    case Qt::TabFocusReason:
        if (inteira)
            break;
        [[fallthrough]];
    default:
        irParaASecao(0);
    }
}

void SeletorDeData::focusOutEvent(QFocusEvent* evento) {
    completarAno();
    if (dataMostrada()) {
        QDateEdit::focusOutEvent(evento);
        return;
    }
    // The text stays as typed; only the text box inside hears that the focus went.
    QCoreApplication::sendEvent(lineEdit(), evento);
    QWidget::focusOutEvent(evento);
}

// A click selects the section it lands in, as the system's date pickers do, so that what is
// typed next replaces that section.
bool SeletorDeData::eventFilter(QObject* objeto, QEvent* evento) {
    const bool clique =
        evento->type() == QEvent::MouseButtonPress || evento->type() == QEvent::MouseButtonDblClick;
    if (objeto != lineEdit() || !clique)
        return QDateEdit::eventFilter(objeto, evento);
    const auto* mouse = static_cast<QMouseEvent*>(evento);
    if (mouse->button() != Qt::LeftButton)
        return QDateEdit::eventFilter(objeto, evento);
    const int indice = secaoNaPosicao(lineEdit()->cursorPositionAt(mouse->position().toPoint()));
    if (indice < 0)
        return QDateEdit::eventFilter(objeto, evento);
    if (!hasFocus())
        setFocus(Qt::MouseFocusReason);
    fJaAvancou = false;
    irParaASecao(indice);
    return true;
}
