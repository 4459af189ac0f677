#pragma once

#include <QObject>

class QDateEdit;
class QLineEdit;

// Makes a date picker take a date typed the ordinary way, in the user's short format: day,
// separator, month, separator, year (one or two digits for day and month). The picker moves to
// the next section by itself once a section is complete; a separator typed right after that is
// the one the user meant for it, not a request to skip another section. A click selects the
// section it lands in, and a date typed over the whole text (after Ctrl+A) starts with the first
// section.
class DigitacaoDeData : public QObject {
public:
    explicit DigitacaoDeData(QDateEdit& seletor);

    bool eventFilter(QObject* objeto, QEvent* evento) override;

private:
    bool teclaDigitada(QEvent* evento);

    QDateEdit& fSeletor;
    QLineEdit* fLinha;
    bool fDespachando = false;    // the key is being handed to the picker by this filter
    bool fAvancouSozinho = false; // the last digit completed its section and moved on
};
