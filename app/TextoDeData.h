#pragma once

// The text of a date picker read against its display format, section by section, the way the
// user typed it: in ASCII digits or in the locale's own (Persian, Arabic-Indic, ...).

#include <QDate>
#include <QLocale>
#include <QString>

#include <optional>

// The numeric display format that a date picker uses for this locale: its short date format with
// the year in four digits (two digits cannot tell a year from one a century earlier while the
// user types). A locale whose short format names the month or the weekday gets year, month, day
// in digits instead, so that every section can be typed.
QString formatoDeDataNumerico(const QLocale& localidade);

// One section of the text: where it starts, how many digits it holds and what they say.
struct SecaoDigitada {
    qsizetype inicio = 0;
    qsizetype digitos = 0;
    int valor = 0;
};

struct DataDigitada {
    SecaoDigitada dia, mes, ano;
};

// The sections of `texto` laid out by `formato` (d, dd, M, MM, yyyy and literal text); none when
// the text does not follow the format. A section may be empty while the user types.
std::optional<DataDigitada> lerDataDigitada(const QString& texto, const QString& formato);

// The date that `texto` shows in full: day and month of one or two digits, a year of four, a day
// that exists. None otherwise.
std::optional<QDate> dataInteira(const QString& texto, const QString& formato);

// `texto` with its two-digit year written out in four digits of the same script: the year, among
// the hundred ending with `ultimoAno`, that ends in those two digits. None when the year section
// does not hold exactly two digits.
std::optional<QString> comAnoEmQuatroDigitos(const QString& texto, const QString& formato,
                                             int ultimoAno);
