#pragma once

#include "platform/estado_de_exibicao.h"

#include <QApplication>

namespace detalhe {
// The argument vector handed to the toolkit: the program's name alone. The command line belongs
// to the parent application's eight values; none of them may be read as a toolkit option
// (a password "-platform" or "-style" would otherwise change or stop the program).
struct ArgumentosDoToolkit {
    explicit ArgumentosDoToolkit(char* programa) : argv{programa, nullptr} {}
    int argc = 1;
    char* argv[2];
};
} // namespace detalhe

// The application object: runs the event loop and shows every error that escapes an event
// handler in the default error report, after which the loop goes on.
class TAplicacao : private detalhe::ArgumentosDoToolkit, public QApplication {
public:
    explicit TAplicacao(char* programa);

    bool notify(QObject* destino, QEvent* evento) override;
};

// Shows the main window in the state the parent asked for when it started the program.
void exibirJanelaPrincipal(QWidget& janela, plataforma::EstadoDeExibicao estado);
