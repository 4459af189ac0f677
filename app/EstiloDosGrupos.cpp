#include "app/EstiloDosGrupos.h"

#include <QPainter>
#include <QStyleOptionGroupBox>

#include <algorithm>

namespace {

constexpr int margemSuperior = 7; // from the top of the box to its border
constexpr int recuoDoTitulo = 7;  // from the left of the box to the title's room
constexpr int folgaDoTitulo = 2;  // room on each side of the title's text
constexpr int raio = 3;

// A 1 px border with rounded corners, anti-aliased: each edge, then the halves of the two corners
// at its ends, as 45 degree arcs.
void desenharBorda(QPainter& pintor, const QRect& r, const QColor& cor) {
    const qreal esquerda = r.x(), topo = r.y();
    const qreal direita = r.x() + r.width(), base = r.y() + r.height();
    constexpr qreal diametro = 2 * raio - 1;
    const qreal arcoAEsquerda = esquerda + 0.5, arcoADireita = direita - 2 * raio + 0.5;
    const qreal arcoNoTopo = topo + 0.5, arcoNaBase = base - 2 * raio + 0.5;
    struct Arco {
        qreal x, y;
        int inicio, extensao; // in degrees, counter-clockwise from three o'clock
    };
    struct Aresta {
        QRectF linha;
        Arco arcos[2];
    };
    const Aresta arestas[] = {
        {{esquerda + raio, base - 1, r.width() - 2.0 * raio, 1},
         {{arcoAEsquerda, arcoNaBase, -90, -45}, {arcoADireita, arcoNaBase, -90, 45}}},
        {{direita - 1, topo + raio, 1, r.height() - 2.0 * raio},
         {{arcoADireita, arcoNoTopo, 45, -45}, {arcoADireita, arcoNaBase, 315, 45}}},
        {{esquerda, topo + raio, 1, r.height() - 2.0 * raio},
         {{arcoAEsquerda, arcoNoTopo, 135, 45}, {arcoAEsquerda, arcoNaBase, 180, 45}}},
        {{esquerda + raio, topo, r.width() - 2.0 * raio, 1},
         {{arcoAEsquerda, arcoNoTopo, 135, -45}, {arcoADireita, arcoNoTopo, 45, 45}}},
    };
    pintor.save();
    pintor.setRenderHint(QPainter::Antialiasing);
    const QPen caneta(cor, 1, Qt::SolidLine, Qt::SquareCap);
    for (const Aresta& aresta : arestas) {
        pintor.setPen(Qt::NoPen);
        pintor.setBrush(cor);
        pintor.drawRect(aresta.linha);
        pintor.setPen(caneta);
        pintor.setBrush(Qt::NoBrush);
        for (const Arco& arco : aresta.arcos)
            pintor.drawArc(QRectF(arco.x, arco.y, diametro, diametro), arco.inicio * 16,
                           arco.extensao * 16);
    }
    pintor.restore();
}

} // namespace

QRect EstiloDosGrupos::subControlRect(ComplexControl controle, const QStyleOptionComplex* opcao,
                                      SubControl parte, const QWidget* widget) const {
    const auto* grupo = qstyleoption_cast<const QStyleOptionGroupBox*>(opcao);
    if (controle != CC_GroupBox || grupo == nullptr)
        return QProxyStyle::subControlRect(controle, opcao, parte, widget);
    const QRect& r = grupo->rect;
    switch (parte) {
    case SC_GroupBoxFrame:
        return r.adjusted(0, margemSuperior, 0, 0);
    case SC_GroupBoxContents:
        return r.adjusted(1, margemSuperior + 1, -1, -1);
    case SC_GroupBoxLabel:
        return QRect(r.x() + recuoDoTitulo + folgaDoTitulo, r.y(),
                     grupo->fontMetrics.horizontalAdvance(grupo->text),
                     grupo->fontMetrics.height());
    default:
        return QProxyStyle::subControlRect(controle, opcao, parte, widget);
    }
}

void EstiloDosGrupos::drawComplexControl(ComplexControl controle, const QStyleOptionComplex* opcao,
                                         QPainter* pintor, const QWidget* widget) const {
    const auto* grupo = qstyleoption_cast<const QStyleOptionGroupBox*>(opcao);
    if (controle != CC_GroupBox || grupo == nullptr) {
        QProxyStyle::drawComplexControl(controle, opcao, pintor, widget);
        return;
    }
    // The text is centred in room as wide as the text and a blank; the border stops short of
    // that room and its side margins.
    QRect titulo = subControlRect(controle, opcao, SC_GroupBoxLabel, widget);
    titulo.setWidth(std::max(
        titulo.width(),
        grupo->fontMetrics.size(Qt::TextShowMnemonic, grupo->text + QLatin1Char(' ')).width()));
    const bool temTitulo = !grupo->text.isEmpty();

    pintor->save();
    if (temTitulo)
        pintor->setClipRegion(QRegion(grupo->rect) -
                              titulo.adjusted(-folgaDoTitulo, 0, folgaDoTitulo, 0));
    desenharBorda(*pintor, subControlRect(controle, opcao, SC_GroupBoxFrame, widget),
                  grupo->palette.color(QPalette::Mid));
    pintor->restore();

    if (temTitulo) {
        QPalette paleta = grupo->palette;
        if (grupo->textColor.isValid())
            paleta.setColor(QPalette::WindowText, grupo->textColor);
        int alinhamento = Qt::AlignCenter | Qt::TextShowMnemonic;
        if (!styleHint(SH_UnderlineShortcut, opcao, widget))
            alinhamento |= Qt::TextHideMnemonic;
        drawItemText(pintor, titulo, alinhamento, paleta, grupo->state & State_Enabled, grupo->text,
                     QPalette::WindowText);
    }
}

QSize EstiloDosGrupos::sizeFromContents(ContentsType tipo, const QStyleOption* opcao,
                                        const QSize& conteudo, const QWidget* widget) const {
    if (tipo == CT_GroupBox)
        return conteudo + QSize(2, margemSuperior + 2);
    return QProxyStyle::sizeFromContents(tipo, opcao, conteudo, widget);
}
