#include "app/LeitoresDeTela.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QComboBox>
#include <QFrame>

namespace {

// Called for each class of an object's chain until one answers: only a plain QFrame reaches
// "QFrame" unanswered; its subclasses (labels, text boxes) have interfaces of their own.
QAccessibleInterface* painelParaLeitoresDeTela(const QString& classe, QObject* objeto) {
    if (classe == QLatin1String("QFrame") && qobject_cast<QFrame*>(objeto) != nullptr)
        return new QAccessibleWidget(static_cast<QWidget*>(objeto), QAccessible::Grouping);
    return nullptr;
}

} // namespace

void registrarPaineisParaLeitoresDeTela() {
    static const bool registrado = [] {
        QAccessible::installFactory(painelParaLeitoresDeTela);
        return true;
    }();
    (void)registrado;
}

QString nomeDaLinha(const QComboBox& data) {
    return data.currentText().trimmed().isEmpty() ? data.accessibleName() : data.currentText();
}

void nomearLinhaDeDatas(QComboBox& data, const QString& nomeDoCombo, QWidget& de, QWidget& ate,
                        QWidget& qualquerData) {
    // Qt names a combo box by its item on Linux, so what it chooses is its description too.
    data.setAccessibleName(nomeDoCombo);
    data.setAccessibleDescription(nomeDoCombo);
    const auto nomear = [&data, &de, &ate, &qualquerData] {
        const QString linha = nomeDaLinha(data);
        de.setAccessibleName(linha + QStringLiteral(", data inicial"));
        ate.setAccessibleName(linha + QStringLiteral(", data final"));
        qualquerData.setAccessibleName(linha + QStringLiteral(", qualquer data"));
    };
    nomear();
    QObject::connect(&data, &QComboBox::currentTextChanged, &de, nomear);
}
