#pragma once

#include <QProxyStyle>

// How the window's group boxes look on every platform: a 1 px border in the palette's mid colour
// with corners of 3 px radius, starting 7 px below the top, and the title over the border, 7 px
// from the left with 2 px of room on each side, on the window's own background. The rest of
// the drawing is the application style's.
class EstiloDosGrupos : public QProxyStyle {
public:
    QRect subControlRect(ComplexControl controle, const QStyleOptionComplex* opcao,
                         SubControl parte, const QWidget* widget) const override;
    void drawComplexControl(ComplexControl controle, const QStyleOptionComplex* opcao,
                            QPainter* pintor, const QWidget* widget) const override;
    QSize sizeFromContents(ContentsType tipo, const QStyleOption* opcao, const QSize& conteudo,
                           const QWidget* widget) const override;
};
