#pragma once

#include <QMargins>
#include <QObject>
#include <QRect>

class QWidget;

// Keeps a child docked to the top of its parent's client area: it follows the parent's width and
// keeps its own height. A group box's client area starts below its caption. Owned by the child.
class AncoragemNoTopo : public QObject {
public:
    AncoragemNoTopo(QWidget& filho, QMargins areaDoCliente);
    bool eventFilter(QObject* objeto, QEvent* evento) override;

private:
    QWidget& fFilho;
    QMargins fArea;
};

// Moves a top-level window so that `contorno` (its geometry, with the frame once it is known) is
// centred on the primary screen's available area. A window larger than the screen (a large scale
// factor on a small screen) keeps its top-left corner, with the caption and the system menu, on
// the screen.
void centralizarNaTela(QWidget& janela, const QRect& contorno);
