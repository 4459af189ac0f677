// Saves a picture of the filter window, as a person would see it, to look at by eye.
//   captura_principal <file.png> [scale]
// The scale (default 1) is the device pixel ratio, e.g. 2 for a 192 dpi screen. The window is
// built from a fixed command line and clock, with no connection attempt.
#include "app/UnPrincipal.h"

#include <QApplication>
#include <QPixmap>

#include <cstdio>

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "uso: %s <arquivo.png> [escala]\n", argv[0]);
        return 2;
    }
    if (argc > 2)
        qputenv("QT_SCALE_FACTOR", argv[2]);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    int argcQt = 1;
    QApplication aplicacao(argcQt, argv);

    TFormPrincipal janela({[] {
                               return argumentosDoVetor(
                                   {"captura", "srv", "5432", "u", "s", "db", "1", "2", "login"});
                           },
                           [] {},
                           [] { return plataforma::DataHoraLocal{2025, 3, 12, 9, 0, 0, 0}; }});
    janela.show();
    QApplication::processEvents();
    if (!janela.grab().save(QString::fromLocal8Bit(argv[1]))) {
        std::fprintf(stderr, "não foi possível gravar %s\n", argv[1]);
        return 1;
    }
    return 0;
}
