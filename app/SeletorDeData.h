#pragma once

#include "app/TextoDeData.h"

#include <QDate>
#include <QDateEdit>

#include <optional>

// A date picker that behaves as the system's own, in the user's short date format:
// - one Tab stop: Tab and Shift+Tab leave it; Left and Right move between its sections, as does
//   the separator; Up and Down step the section; F4 and Alt+Down open the calendar;
// - a date typed the ordinary way: day, separator, month, separator, year, with one or two
//   digits for day and month. A section that is complete moves on by itself, and a separator
//   typed right after that is the one the user meant for it, not a request to skip another
//   section; nor is a second separator character ("yyyy. MM. dd."). A click selects the section
//   it lands in; a date typed over the whole text (after
//   Ctrl+A) starts with the first section;
// - a year typed in two digits is written out in four, by the system's rule for two-digit
//   years, as soon as the user leaves the year section;
// - a text that is not a whole date stays as typed when the picker is left, until the user
//   corrects it: the picker never puts back its last whole date behind the user's back.
class SeletorDeData : public QDateEdit {
    Q_OBJECT

public:
    explicit SeletorDeData(QWidget* parent = nullptr);

    // The date the text shows, read in ASCII digits or the locale's own; none while the text is
    // not a whole date.
    std::optional<QDate> dataMostrada() const;

    // Writes a two-digit year out in four digits; the text shows the result at once.
    void completarAno();

    // Selects a section (the first or last one past either end), keeping the text as it is.
    void irParaASecao(int indice);

protected:
    bool event(QEvent* evento) override;
    void keyPressEvent(QKeyEvent* evento) override;
    void focusInEvent(QFocusEvent* evento) override;
    void focusOutEvent(QFocusEvent* evento) override;
    bool eventFilter(QObject* objeto, QEvent* evento) override;

private:
    int secaoNaPosicao(int posicao) const;
    const SecaoDigitada& secaoDoTexto(const DataDigitada& data, int indice) const;
    void abrirCalendario();

    // The last key moved on to the next section: a digit that completed its section, or a
    // separator.
    bool fJaAvancou = false;
};
