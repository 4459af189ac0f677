// Draws the pictures of the message window into PNG files:
//   gerar_imagens_mensagens <folder>
// The symbols are 32 x 32 (shown unscaled in 33 x 33 places), the button pictures 16 x 16. Every
// picture is drawn on a 32-unit grid, so a size is only a scale factor.
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>

#include <cstdio>
#include <functional>

namespace {

const QColor contorno(40, 40, 40);

void desenharExclusao(QPainter& p) {
    // A waste bin with a red cross over it.
    p.setPen(QPen(contorno, 1.2));
    p.setBrush(QColor(170, 176, 184));
    p.drawRoundedRect(QRectF(6, 5, 20, 4), 1, 1);
    p.drawRect(QRectF(13, 2.5, 6, 2.5));
    QPainterPath corpo;
    corpo.moveTo(8, 10);
    corpo.lineTo(24, 10);
    corpo.lineTo(22, 30);
    corpo.lineTo(10, 30);
    corpo.closeSubpath();
    p.setBrush(QColor(200, 205, 212));
    p.drawPath(corpo);
    p.setPen(QPen(QColor(120, 126, 134), 1.5));
    for (const double x : {12.5, 16.0, 19.5})
        p.drawLine(QPointF(x, 13), QPointF(x, 27));
    p.setPen(QPen(QColor(200, 30, 30), 3.5, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(17, 15), QPointF(29, 27));
    p.drawLine(QPointF(29, 15), QPointF(17, 27));
}

void desenharGravacao(QPainter& p) {
    // A diskette: body, metal shutter and label.
    QPainterPath corpo;
    corpo.moveTo(3, 3);
    corpo.lineTo(25, 3);
    corpo.lineTo(29, 7);
    corpo.lineTo(29, 29);
    corpo.lineTo(3, 29);
    corpo.closeSubpath();
    p.setPen(QPen(contorno, 1.2));
    p.setBrush(QColor(40, 80, 160));
    p.drawPath(corpo);
    p.setBrush(QColor(200, 205, 212));
    p.drawRect(QRectF(9, 3, 13, 9));
    p.setBrush(QColor(40, 80, 160));
    p.setPen(Qt::NoPen);
    p.drawRect(QRectF(17, 5, 3, 5));
    p.setPen(QPen(contorno, 1));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(7, 16, 18, 13));
    p.setPen(QPen(QColor(150, 150, 150), 1));
    for (const double y : {20.0, 23.5})
        p.drawLine(QPointF(9, y), QPointF(23, y));
}

// A character filled in the given colour, centred on the grid.
void desenharLetra(QPainter& p, const QColor& cor, QChar letraDesenhada, int altura) {
    QFont fonte(QStringLiteral("DejaVu Sans"));
    fonte.setBold(true);
    fonte.setPixelSize(altura);
    QPainterPath letra;
    letra.addText(0, 0, fonte, QString(letraDesenhada));
    const QRectF caixa = letra.boundingRect();
    letra.translate(16 - caixa.center().x(), 16 - caixa.center().y());
    p.setPen(Qt::NoPen);
    p.setBrush(cor);
    p.drawPath(letra);
}

void desenharAdvertencia(QPainter& p) {
    // A yellow triangle with an exclamation mark.
    QPainterPath triangulo;
    triangulo.moveTo(16, 2);
    triangulo.lineTo(30.5, 28.5);
    triangulo.lineTo(1.5, 28.5);
    triangulo.closeSubpath();
    p.setPen(QPen(contorno, 1.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(QColor(250, 205, 30));
    p.drawPath(triangulo);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::black);
    p.drawRoundedRect(QRectF(14.4, 10, 3.2, 11), 1.2, 1.2);
    p.drawEllipse(QPointF(16, 24.5), 1.9, 1.9);
}

void desenharInformacao(QPainter& p) {
    // A blue disc with a white "i".
    p.setPen(QPen(QColor(20, 60, 140), 1.2));
    p.setBrush(QColor(40, 110, 210));
    p.drawEllipse(QPointF(16, 16), 14, 14);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(16, 9), 2.2, 2.2);
    p.drawRoundedRect(QRectF(14.2, 13, 3.6, 12), 1, 1);
}

void desenharConfirmacao(QPainter& p) {
    // A blue disc with a white question mark.
    p.setPen(QPen(QColor(20, 60, 140), 1.2));
    p.setBrush(QColor(40, 110, 210));
    p.drawEllipse(QPointF(16, 16), 14, 14);
    desenharLetra(p, Qt::white, u'?', 22);
}

void desenharEdicao(QPainter& p) {
    // A sheet of paper with a pencil across it.
    p.setPen(QPen(contorno, 1));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(3, 3, 18, 25));
    p.setPen(QPen(QColor(150, 150, 150), 1));
    for (const double y : {8.0, 12.0, 16.0, 20.0})
        p.drawLine(QPointF(6, y), QPointF(18, y));
    p.translate(19, 19);
    p.rotate(45);
    p.setPen(QPen(contorno, 1));
    p.setBrush(QColor(245, 190, 40));
    p.drawRect(QRectF(-3, -13, 6, 18));
    p.setBrush(QColor(230, 120, 140));
    p.drawRect(QRectF(-3, -16, 6, 3));
    QPainterPath ponta;
    ponta.moveTo(-3, 5);
    ponta.lineTo(3, 5);
    ponta.lineTo(0, 11);
    ponta.closeSubpath();
    p.setBrush(QColor(240, 215, 170));
    p.drawPath(ponta);
    p.setBrush(contorno);
    p.drawEllipse(QPointF(0, 10), 0.9, 0.9);
}

void desenharSim(QPainter& p) {
    // A green tick.
    p.setPen(QPen(QColor(20, 140, 40), 6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    QPainterPath marca;
    marca.moveTo(5, 17);
    marca.lineTo(12, 25);
    marca.lineTo(27, 7);
    p.drawPath(marca);
}

void desenharNao(QPainter& p) {
    // A red cross.
    p.setPen(QPen(QColor(200, 30, 30), 6, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(7, 7), QPointF(25, 25));
    p.drawLine(QPointF(25, 7), QPointF(7, 25));
}

struct Imagem {
    const char* arquivo;
    int tamanho;
    std::function<void(QPainter&)> desenhar;
};

bool gravar(const QDir& pasta, const Imagem& imagem) {
    QImage figura(imagem.tamanho, imagem.tamanho, QImage::Format_ARGB32_Premultiplied);
    figura.fill(Qt::transparent);
    QPainter pintor(&figura);
    pintor.setRenderHint(QPainter::Antialiasing);
    pintor.scale(imagem.tamanho / 32.0, imagem.tamanho / 32.0);
    imagem.desenhar(pintor);
    pintor.end();
    return figura.save(pasta.filePath(QString::fromLatin1(imagem.arquivo)), "PNG");
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: gerar_imagens_mensagens <folder>\n");
        return 2;
    }
    QGuiApplication aplicacao(argc, argv);
    const QDir pasta(QString::fromLocal8Bit(argv[1]));
    const Imagem imagens[] = {
        {"exclusao.png", 32, desenharExclusao},
        {"gravacao.png", 32, desenharGravacao},
        {"advertencia.png", 32, desenharAdvertencia},
        {"informacao.png", 32, desenharInformacao},
        {"confirmacao.png", 32, desenharConfirmacao},
        {"edicao.png", 32, desenharEdicao},
        {"sim.png", 16, desenharSim},
        {"nao.png", 16, desenharNao},
    };
    for (const Imagem& imagem : imagens) {
        if (!gravar(pasta, imagem)) {
            std::fprintf(stderr, "cannot write %s\n", imagem.arquivo);
            return 1;
        }
    }
    return 0;
}
