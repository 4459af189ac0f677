#include "app/LeitoresDeTela.h"

#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QAccessible>
#include <QAccessibleWidget>
#include <QApplication>
#include <QComboBox>
#include <QFrame>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTimer>

namespace {

// A combo box as a screen reader needs it: its accessible name (or its label) as its name, and
// the item it shows as its value and its text. Qt 6.4 names a combo by its item on Linux, so a
// combo that chooses what a row means could not say so, and gives a drop-down list (one that
// cannot be typed in) neither a text nor a selection, where Orca reads the item from, so the sort
// order's item was never spoken. Its children are those of Qt's own interface: the list that
// drops down and, when the combo is editable, the text box.
class ComboAcessivel : public QAccessibleWidget, public QAccessibleTextInterface {
public:
    explicit ComboAcessivel(QComboBox* combo) : QAccessibleWidget(combo, QAccessible::ComboBox) {}

    void* interface_cast(QAccessible::InterfaceType tipo) override {
        if (tipo == QAccessible::TextInterface)
            return static_cast<QAccessibleTextInterface*>(this);
        return QAccessibleWidget::interface_cast(tipo);
    }

    QString text(QAccessible::Text tipo) const override {
        if (tipo == QAccessible::Value)
            return combo()->currentText();
        return QAccessibleWidget::text(tipo);
    }

    QAccessible::State state() const override {
        QAccessible::State estado = QAccessibleWidget::state();
        estado.expandable = true;
        estado.expanded = combo()->view()->isVisible();
        estado.editable = combo()->isEditable();
        return estado;
    }

    int childCount() const override { return combo()->lineEdit() != nullptr ? 2 : 1; }
    QAccessibleInterface* child(int indice) const override {
        QObject* filho = indice == 0   ? static_cast<QObject*>(combo()->view())
                         : indice == 1 ? combo()->lineEdit()
                                       : nullptr;
        return filho != nullptr ? QAccessible::queryAccessibleInterface(filho) : nullptr;
    }
    int indexOfChild(const QAccessibleInterface* filho) const override {
        if (filho == nullptr)
            return -1;
        if (filho->object() == combo()->view())
            return 0;
        return filho->object() != nullptr && filho->object() == combo()->lineEdit() ? 1 : -1;
    }

    QStringList actionNames() const override {
        return QStringList{showMenuAction(), pressAction()} + QAccessibleWidget::actionNames();
    }
    void doAction(const QString& acao) override {
        if (acao == showMenuAction() || acao == pressAction())
            combo()->showPopup();
        else
            QAccessibleWidget::doAction(acao);
    }

    // The text is the item shown, read only here, with the cursor at its start and nothing
    // selected.
    QString text(int inicio, int fim) const override {
        return combo()->currentText().mid(inicio, fim - inicio);
    }
    int characterCount() const override { return int(combo()->currentText().size()); }
    int cursorPosition() const override { return 0; }
    void setCursorPosition(int) override {}
    void selection(int, int* inicio, int* fim) const override { *inicio = *fim = 0; }
    int selectionCount() const override { return 0; }
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    QRect characterRect(int) const override { return {}; }
    int offsetAtPoint(const QPoint&) const override { return -1; }
    void scrollToSubstring(int, int) override {}
    QString attributes(int, int* inicio, int* fim) const override {
        *inicio = 0;
        *fim = characterCount();
        return {};
    }

private:
    QComboBox* combo() const { return static_cast<QComboBox*>(widget()); }
};

// Called for each class of an object's chain until one answers.
QAccessibleInterface* interfaceParaLeitoresDeTela(const QString& classe, QObject* objeto) {
    // Only a plain QFrame reaches "QFrame" unanswered; its subclasses (labels, text boxes) have
    // interfaces of their own.
    if (classe == QLatin1String("QFrame") && qobject_cast<QFrame*>(objeto) != nullptr)
        return new QAccessibleWidget(static_cast<QWidget*>(objeto), QAccessible::Grouping);
    if (classe == QLatin1String("QComboBox") && qobject_cast<QComboBox*>(objeto) != nullptr)
        return new ComboAcessivel(static_cast<QComboBox*>(objeto));
    return nullptr;
}

// The date picker or editable combo box whose text an event is about: Qt reports a picker's
// cursor from the picker itself, and its selection, like a combo's, from the text box inside.
const QWidget* editorDoTexto(QObject* objeto) {
    if (auto* seletor = qobject_cast<QAbstractSpinBox*>(objeto))
        return seletor;
    const auto* caixa = qobject_cast<QLineEdit*>(objeto);
    const QWidget* dono = caixa != nullptr ? caixa->parentWidget() : nullptr;
    const auto* combo = qobject_cast<const QComboBox*>(dono);
    if (qobject_cast<const QAbstractSpinBox*>(dono) != nullptr ||
        (combo != nullptr && combo->isEditable()))
        return dono;
    return nullptr;
}

// Whether a date picker is handling a key that types a character right now. The picker then
// selects sections and moves the cursor as it goes, and a screen reader would read each of
// those back (the old month selected, "Texto não selecionado") instead of what is typed, which it
// echoes key by key.
bool digitandoNumSeletor = false;

class VigiaDaDigitacao : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject* objeto, QEvent* evento) override {
        if (evento->type() == QEvent::KeyPress && !digitandoNumSeletor &&
            qobject_cast<QAbstractSpinBox*>(objeto) != nullptr) {
            const QString texto = static_cast<QKeyEvent*>(evento)->text();
            if (!texto.isEmpty() && texto.front().isPrint()) {
                digitandoNumSeletor = true;
                QTimer::singleShot(0, this, [] { digitandoNumSeletor = false; });
            }
        }
        return false;
    }
};

// Changes a screen reader should not hear: the selection of an editable combo's text box, which
// is selected on entering the field and cleared on leaving it (heard before the field's name and
// again on leaving), and a date picker's selection and cursor while it handles a typed key.
bool ruidoParaLeitoresDeTela(const QAccessibleEvent& evento) {
    if (evento.type() != QAccessible::TextSelectionChanged &&
        evento.type() != QAccessible::TextCaretMoved)
        return false;
    const QWidget* editor = editorDoTexto(evento.object());
    if (editor == nullptr)
        return false;
    if (qobject_cast<const QComboBox*>(editor) != nullptr)
        return evento.type() == QAccessible::TextSelectionChanged;
    return digitandoNumSeletor;
}

// Passes every accessibility event on to the platform's bridge (AT-SPI, UI Automation) but the
// noise above. Qt takes one handler in place of the bridge; the bridge is reached by handing the
// event on with the handler taken out for that moment.
void filtrarEventosDeAcessibilidade(QAccessibleEvent* evento) {
    if (ruidoParaLeitoresDeTela(*evento))
        return;
    QAccessible::installUpdateHandler(nullptr);
    QAccessible::updateAccessibility(evento);
    QAccessible::installUpdateHandler(filtrarEventosDeAcessibilidade);
}

} // namespace

void registrarInterfacesParaLeitoresDeTela() {
    static const bool registrado = [] {
        QAccessible::installFactory(interfaceParaLeitoresDeTela);
        QAccessible::installUpdateHandler(filtrarEventosDeAcessibilidade);
        qApp->installEventFilter(new VigiaDaDigitacao(qApp));
        return true;
    }();
    (void)registrado;
}

QString nomeDaLinha(const QComboBox& data) {
    return data.currentText().trimmed().isEmpty() ? data.accessibleName() : data.currentText();
}

void nomearLinhaDeDatas(QComboBox& data, const QString& nomeDoCombo, QWidget& de, QWidget& ate,
                        QWidget& qualquerData) {
    data.setAccessibleName(nomeDoCombo);
    const auto nomear = [&data, &de, &ate, &qualquerData] {
        const QString linha = nomeDaLinha(data);
        de.setAccessibleName(linha + QStringLiteral(", data inicial"));
        ate.setAccessibleName(linha + QStringLiteral(", data final"));
        qualquerData.setAccessibleName(linha + QStringLiteral(", qualquer data"));
    };
    nomear();
    QObject::connect(&data, &QComboBox::currentTextChanged, &de, nomear);
}
