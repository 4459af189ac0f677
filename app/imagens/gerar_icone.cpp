// Writes the program's Windows icon from the printer picture that the window shows as its icon:
//   gerar_icone app/imagens/imprimir.xpm app/imagens/RelLicensaCliente.ico
// The 16-pixel picture is enlarged pixel by pixel to 32 and 48 pixels, the sizes Explorer and
// the taskbar ask for; each image is stored as PNG, which Windows reads in icons since Vista.
#include <QBuffer>
#include <QDataStream>
#include <QFile>
#include <QGuiApplication>
#include <QImage>

#include <cstdio>

int main(int argc, char** argv) {
    QGuiApplication aplicacao(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: gerar_icone <picture> <icon.ico>\n");
        return 2;
    }
    const QImage figura =
        QImage(QString::fromLocal8Bit(argv[1])).convertToFormat(QImage::Format_ARGB32);
    if (figura.isNull()) {
        std::fprintf(stderr, "gerar_icone: cannot read %s\n", argv[1]);
        return 1;
    }

    QList<QByteArray> imagens;
    const QList<int> lados{16, 32, 48};
    for (const int lado : lados) {
        QByteArray png;
        QBuffer saida(&png);
        saida.open(QIODevice::WriteOnly);
        figura.scaled(lado, lado, Qt::IgnoreAspectRatio, Qt::FastTransformation)
            .save(&saida, "PNG");
        imagens.append(png);
    }

    QFile arquivo(QString::fromLocal8Bit(argv[2]));
    if (!arquivo.open(QIODevice::WriteOnly)) {
        std::fprintf(stderr, "gerar_icone: cannot write %s\n", argv[2]);
        return 1;
    }
    QDataStream icone(&arquivo);
    icone.setByteOrder(QDataStream::LittleEndian);
    // ICONDIR, then one ICONDIRENTRY per image, then the images.
    icone << quint16(0) << quint16(1) << quint16(imagens.size());
    quint32 posicao = 6 + 16 * imagens.size();
    for (qsizetype i = 0; i < imagens.size(); ++i) {
        const quint8 lado = static_cast<quint8>(lados[i]);
        icone << lado << lado << quint8(0) << quint8(0) << quint16(1) << quint16(32)
              << quint32(imagens[i].size()) << posicao;
        posicao += imagens[i].size();
    }
    for (const QByteArray& png : imagens)
        icone.writeRawData(png.constData(), png.size());
    return icone.status() == QDataStream::Ok ? 0 : 1;
}
