#include "app/DigitacaoDeData.h"

#include <QCoreApplication>
#include <QDateEdit>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTimer>

DigitacaoDeData::DigitacaoDeData(QDateEdit& seletor)
    : QObject(&seletor), fSeletor(seletor), fLinha(seletor.findChild<QLineEdit*>()) {
    fSeletor.installEventFilter(this);
    if (fLinha)
        fLinha->installEventFilter(this);
}

bool DigitacaoDeData::eventFilter(QObject* objeto, QEvent* evento) {
    if (fDespachando)
        return false;
    switch (evento->type()) {
    case QEvent::FocusIn:
        fAvancouSozinho = false;
        return false;
    case QEvent::MouseButtonRelease:
        // A click selects the section it lands in, as the system's date pickers do, so that
        // what is typed next replaces that section.
        fAvancouSozinho = false;
        if (objeto == fLinha)
            QTimer::singleShot(0, this, [this] {
                if (!fLinha->hasSelectedText())
                    fSeletor.setSelectedSection(fSeletor.currentSection());
            });
        return false;
    case QEvent::KeyPress:
        return objeto == &fSeletor && teclaDigitada(evento);
    default:
        return false;
    }
}

bool DigitacaoDeData::teclaDigitada(QEvent* evento) {
    const auto* tecla = static_cast<QKeyEvent*>(evento);
    const QString texto = tecla->text();
    const bool digito = texto.size() == 1 && texto[0].isDigit();
    const bool separador = texto.size() == 1 && (texto[0].isPunct() || texto[0].isSymbol());
    if (!digito && !separador) {
        fAvancouSozinho = false;
        return false;
    }
    if (separador && fAvancouSozinho) {
        fAvancouSozinho = false;
        return true;
    }
    const bool tudoSelecionado =
        fLinha && fLinha->hasSelectedText() && fLinha->selectedText() == fLinha->text();
    if (digito && tudoSelecionado)
        fSeletor.setSelectedSection(fSeletor.sectionAt(0));

    // The picker handles the key now, so that this filter sees whether it moved on by itself.
    const int secaoAntes = fSeletor.currentSectionIndex();
    fDespachando = true;
    QCoreApplication::sendEvent(&fSeletor, evento);
    fDespachando = false;
    fAvancouSozinho = digito && fSeletor.currentSectionIndex() != secaoAntes;
    return true;
}
