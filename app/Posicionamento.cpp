#include "app/Posicionamento.h"

#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <algorithm>

AncoragemNoTopo::AncoragemNoTopo(QWidget& filho, QMargins areaDoCliente)
    : QObject(&filho), fFilho(filho), fArea(areaDoCliente) {
    filho.parentWidget()->installEventFilter(this);
}

bool AncoragemNoTopo::eventFilter(QObject* objeto, QEvent* evento) {
    if (evento->type() == QEvent::Resize) {
        const QRect area = static_cast<QWidget*>(objeto)->rect().marginsRemoved(fArea);
        fFilho.setGeometry(area.left(), area.top(), area.width(), fFilho.height());
    }
    return false;
}

void centralizarNaTela(QWidget& janela, const QRect& contorno) {
    const QScreen* tela = QGuiApplication::primaryScreen();
    if (tela == nullptr)
        return;
    const QRect area = tela->availableGeometry();
    QPoint canto = contorno.topLeft() + area.center() - contorno.center();
    canto.setX(std::max(canto.x(), area.left()));
    canto.setY(std::max(canto.y(), area.top()));
    janela.move(janela.pos() + canto - contorno.topLeft());
}
