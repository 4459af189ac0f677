#include "app/PaineisAcessiveis.h"

#include <QAccessible>
#include <QAccessibleWidget>
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
