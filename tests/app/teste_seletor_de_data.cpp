#include "app/SeletorDeData.h"
#include "app/TextoDeData.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTest>
#include <QVBoxLayout>
#include <gtest/gtest.h>

#include <memory>

namespace {

// A window with a text box on each side of a date picker, in a locale of the test's choice, the
// picker on 1 December 2026 and holding the focus, its first section selected, as after a Tab.
class SeletorNaJanela : public ::testing::Test {
protected:
    void abrir(const char* localidade) {
        janela = std::make_unique<QWidget>();
        auto* leiaute = new QVBoxLayout(janela.get());
        antes = new QLineEdit;
        seletor = new SeletorDeData;
        depois = new QLineEdit;
        for (QWidget* controle : {static_cast<QWidget*>(antes), static_cast<QWidget*>(seletor),
                                  static_cast<QWidget*>(depois)})
            leiaute->addWidget(controle);
        seletor->setLocale(QLocale(localidade));
        seletor->setDisplayFormat(formatoDeDataNumerico(QLocale(localidade)));
        seletor->setDate(QDate(2026, 12, 1));
        janela->show();
        janela->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(janela.get()));
        antes->setFocus();
        teclar(Qt::Key_Tab);
        ASSERT_TRUE(seletor->hasFocus());
    }

    // Types the text the way a keyboard does, one key per character.
    void digitar(const QString& texto) {
        for (const QChar caractere : texto) {
            const int tecla =
                caractere.isDigit() && caractere.digitValue() >= 0 && caractere.unicode() < 128
                    ? Qt::Key_0 + caractere.digitValue()
                    : caractere.toUpper().unicode();
            for (const QEvent::Type tipo : {QEvent::KeyPress, QEvent::KeyRelease}) {
                QKeyEvent evento(tipo, tecla, Qt::NoModifier, QString(caractere));
                QApplication::sendEvent(QApplication::focusWidget(), &evento);
            }
        }
    }

    void teclar(int tecla, Qt::KeyboardModifiers modificadores = Qt::NoModifier) {
        QTest::keyClick(QApplication::focusWidget(), static_cast<Qt::Key>(tecla), modificadores);
    }

    QLineEdit* linha() const { return seletor->findChild<QLineEdit*>(); }

    std::unique_ptr<QWidget> janela;
    QLineEdit* antes = nullptr;
    SeletorDeData* seletor = nullptr;
    QLineEdit* depois = nullptr;
};

} // namespace

TEST_F(SeletorNaJanela, DatasDigitadas) {
    struct Caso {
        const char* localidade;
        QString digitado;
        QDate data;
    };
    const Caso casos[] = {
        {"pt_BR", "07/03/2025", QDate(2025, 3, 7)},
        {"pt_BR", "7/3/2025", QDate(2025, 3, 7)},
        {"pt_BR", "07032025", QDate(2025, 3, 7)},
        {"en_US", "3/7/2025", QDate(2025, 3, 7)},
        {"de_DE", "7.3.2025", QDate(2025, 3, 7)},
        {"hu_HU", "2025.03.07", QDate(2025, 3, 7)},
        {"fa_IR", "2025/3/7", QDate(2025, 3, 7)},
        {"fa_IR", QStringLiteral("۲۰۲۵/۳/۷"), QDate(2025, 3, 7)},
        {"fa_IR", QStringLiteral("۲۰۲۵/۱۱/۲۹"), QDate(2025, 11, 29)},
    };
    for (const Caso& caso : casos) {
        abrir(caso.localidade);
        digitar(caso.digitado);
        EXPECT_EQ(seletor->dataMostrada(), caso.data)
            << caso.localidade << " " << caso.digitado.toStdString() << " shows "
            << seletor->text().toStdString();
    }
}

// What the picker shows once the user leaves the year or the picker: a two-digit year written
// out, any other text that is not a whole date kept as typed; and where the focus went.
TEST_F(SeletorNaJanela, AoSairOAnoCurtoSeCompletaEOTextoIncompletoFica) {
    enum class Saida { tab, shiftTab, cliqueFora, enter, esquerda, idaEVolta, nenhuma };
    struct Caso {
        const char* localidade;
        QString digitado;
        Saida saida;
        QString mostrado;
    };
    const Caso casos[] = {
        {"pt_BR", "15/03/25", Saida::tab, "15/03/2025"},
        {"pt_BR", "15/03/25", Saida::shiftTab, "15/03/2025"},
        {"pt_BR", "15/03/25", Saida::cliqueFora, "15/03/2025"},
        {"pt_BR", "15/03/25", Saida::enter, "15/03/2025"},
        {"pt_BR", "15/03/69", Saida::esquerda, "15/03/1969"},
        {"pt_BR", "15/03/2", Saida::tab, "15/03/2"},
        {"pt_BR", "15/03/2", Saida::cliqueFora, "15/03/2"},
        {"pt_BR", "15/03/2", Saida::enter, "15/03/2"},
        {"pt_BR", "15/03/2", Saida::idaEVolta, "15/03/2"},
        {"pt_BR", "15/03/202", Saida::esquerda, "15/03/202"},
        {"hu_HU", "25.", Saida::nenhuma, "2025. 12. 01."},
        {"hu_HU", "25. ", Saida::nenhuma, "2025. 12. 01."}, // one move for ". "
        {"hu_HU", "202.", Saida::nenhuma, "202. 12. 01."},
        {"fa_IR", QStringLiteral("۲۵/"), Saida::nenhuma, QStringLiteral("۲۰۲۵/۱۲/۱")},
        {"fa_IR", QStringLiteral("۲۵"), Saida::tab, QStringLiteral("۲۰۲۵/۱۲/۱")},
    };
    for (const Caso& caso : casos) {
        abrir(caso.localidade);
        digitar(caso.digitado);
        QWidget* focoEsperado = seletor;
        switch (caso.saida) {
        case Saida::tab:
            teclar(Qt::Key_Tab);
            focoEsperado = depois;
            break;
        case Saida::shiftTab:
            teclar(Qt::Key_Backtab, Qt::ShiftModifier);
            focoEsperado = antes;
            break;
        case Saida::cliqueFora:
            QTest::mouseClick(depois, Qt::LeftButton);
            focoEsperado = depois;
            break;
        case Saida::enter:
            teclar(Qt::Key_Return);
            break;
        case Saida::esquerda:
            teclar(Qt::Key_Left);
            EXPECT_EQ(seletor->currentSection(), QDateTimeEdit::MonthSection);
            break;
        case Saida::idaEVolta:
            teclar(Qt::Key_Tab);
            teclar(Qt::Key_Backtab, Qt::ShiftModifier);
            EXPECT_EQ(seletor->currentSection(), QDateTimeEdit::DaySection);
            break;
        case Saida::nenhuma:
            break;
        }
        const std::string linha = std::string(caso.localidade) + " " + caso.digitado.toStdString() +
                                  " " + std::to_string(static_cast<int>(caso.saida));
        EXPECT_EQ(seletor->text(), caso.mostrado) << linha;
        EXPECT_EQ(QApplication::focusWidget(), focoEsperado) << linha;
    }
}

// Left and Right move between the sections without leaving the picker; a click selects the
// section it lands in, and what is typed next replaces it.
TEST_F(SeletorNaJanela, SecoesPorSetasECliques) {
    abrir("pt_BR");
    teclar(Qt::Key_Right);
    EXPECT_EQ(seletor->currentSection(), QDateTimeEdit::MonthSection);
    EXPECT_EQ(linha()->selectedText(), "12");
    teclar(Qt::Key_Right);
    teclar(Qt::Key_Right);
    EXPECT_EQ(seletor->currentSection(), QDateTimeEdit::YearSection);
    teclar(Qt::Key_Up);
    EXPECT_EQ(seletor->date(), QDate(2027, 12, 1));
    teclar(Qt::Key_Left);
    teclar(Qt::Key_Left);
    teclar(Qt::Key_Left);
    EXPECT_EQ(seletor->currentSection(), QDateTimeEdit::DaySection);
    EXPECT_TRUE(seletor->hasFocus());

    const QRect texto = linha()->geometry();
    const int larguraDoMes = linha()->fontMetrics().horizontalAdvance("01/1");
    QTest::mouseClick(linha(), Qt::LeftButton, {}, QPoint(larguraDoMes, texto.height() / 2));
    EXPECT_EQ(seletor->currentSection(), QDateTimeEdit::MonthSection);
    digitar("7");
    EXPECT_EQ(seletor->date(), QDate(2027, 7, 1));
}
