#include "app/TextoDeData.h"

#include <gtest/gtest.h>

#include <optional>

namespace {

const QString persa = QStringLiteral("۰۱۲۳۴۵۶۷۸۹");

// ASCII digits of `texto` written in Persian ones.
QString emPersa(QString texto) {
    for (QChar& caractere : texto) {
        if (caractere.isDigit())
            caractere = persa[caractere.digitValue()];
    }
    return texto;
}

} // namespace

TEST(TextoDeData, FormatoNumericoDeCadaLocalidade) {
    const std::pair<const char*, const char*> casos[] = {
        {"pt_BR", "dd/MM/yyyy"},    {"en_US", "M/d/yyyy"},   {"de_DE", "dd.MM.yyyy"},
        {"hu_HU", "yyyy. MM. dd."}, {"fa_IR", "yyyy/M/d"},   {"ko_KR", "yyyy. M. d."},
        {"ja_JP", "yyyy/MM/dd"},    {"nl_NL", "dd-MM-yyyy"}, {"ar_EG", "d\u200f/M\u200f/yyyy"},
    };
    for (const auto& [localidade, formato] : casos)
        EXPECT_EQ(formatoDeDataNumerico(QLocale(localidade)), QString::fromUtf8(formato))
            << localidade;
}

// The text as a picker shows it, typed or set: each row gives the format, the text and the date
// read, or none when the text is not a whole date.
TEST(TextoDeData, DataInteira) {
    struct Caso {
        const char* formato;
        QString texto;
        std::optional<QDate> data;
    };
    const Caso casos[] = {
        {"dd/MM/yyyy", "07/03/2025", QDate(2025, 3, 7)},
        {"dd/MM/yyyy", "7/3/2025", QDate(2025, 3, 7)},
        {"M/d/yyyy", "12/25/2025", QDate(2025, 12, 25)},
        {"yyyy. MM. dd.", "2025. 03. 07.", QDate(2025, 3, 7)},
        {"yyyy/M/d", emPersa("2026/12/1"), QDate(2026, 12, 1)},
        {"yyyy/M/d", emPersa("2025/3/") + "7", QDate(2025, 3, 7)},
        {"d\u200f/M\u200f/yyyy", QString::fromUtf8("١\u200f/١٢\u200f/٢٠٢٦"), QDate(2026, 12, 1)},
        {"dd/MM/yyyy", "15/03/25", std::nullopt},   // a year of two digits
        {"dd/MM/yyyy", "15/03/2", std::nullopt},    // of one
        {"dd/MM/yyyy", "15/03/202", std::nullopt},  // of three
        {"dd/MM/yyyy", "15/03/", std::nullopt},     // cleared
        {"dd/MM/yyyy", "07/03/0000", std::nullopt}, // no year 0
        {"dd/MM/yyyy", "31/02/2025", std::nullopt}, // no such day
        {"dd/MM/yyyy", "/03/2025", std::nullopt},
        {"dd/MM/yyyy", "07.03.2025", std::nullopt}, // not the picker's separators
        {"dd/MM/yyyy", "07/03/20255", std::nullopt},
        {"dd/MM/yyyy", "", std::nullopt},
    };
    for (const Caso& caso : casos)
        EXPECT_EQ(dataInteira(caso.texto, caso.formato), caso.data)
            << caso.formato << " " << caso.texto.toStdString();
}

// A two-digit year written out in four digits of the script typed, the rest left as it was.
TEST(TextoDeData, AnoEmQuatroDigitos) {
    struct Caso {
        const char* formato;
        QString texto;
        int ultimoAno;
        std::optional<QString> resultado;
    };
    const Caso casos[] = {
        {"dd/MM/yyyy", "15/03/25", 2068, "15/03/2025"},
        {"dd/MM/yyyy", "15/03/69", 2068, "15/03/1969"},
        {"dd/MM/yyyy", "15/03/50", 2049, "15/03/1950"},
        {"dd/MM/yyyy", "15/03/00", 2068, "15/03/2000"},
        {"yyyy. MM. dd.", "25. 03. 07.", 2068, "2025. 03. 07."},
        {"yyyy/M/d", emPersa("25/3/7"), 2068, emPersa("2025/3/7")},
        {"yyyy/M/d", emPersa("2025/3/") + "7", 2068, std::nullopt},
        {"dd/MM/yyyy", "15/03/2", 2068, std::nullopt},
        {"dd/MM/yyyy", "15/03/202", 2068, std::nullopt},
        {"dd/MM/yyyy", "15/03/2025", 2068, std::nullopt},
        {"dd/MM/yyyy", "15/03/", 2068, std::nullopt},
        {"dd/MM/yyyy", "15-03-25", 2068, std::nullopt},
    };
    for (const Caso& caso : casos)
        EXPECT_EQ(comAnoEmQuatroDigitos(caso.texto, caso.formato, caso.ultimoAno), caso.resultado)
            << caso.formato << " " << caso.texto.toStdString();
}
