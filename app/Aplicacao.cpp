#include "app/Aplicacao.h"

#include "app/RelatorioDeErro.h"

#include <QWidget>

TAplicacao::TAplicacao(char* programa)
    : detalhe::ArgumentosDoToolkit(programa), QApplication(argc, argv) {}

// Errors must not unwind through the toolkit: they stop here, at the delivery of the event whose
// handler raised them.
bool TAplicacao::notify(QObject* destino, QEvent* evento) {
    try {
        return QApplication::notify(destino, evento);
    } catch (...) {
        relatarErro(std::current_exception());
        return false;
    }
}

void exibirJanelaPrincipal(QWidget& janela, plataforma::EstadoDeExibicao estado) {
    switch (estado) {
    case plataforma::EstadoDeExibicao::maximizado:
        janela.showMaximized();
        break;
    case plataforma::EstadoDeExibicao::minimizado:
        janela.showMinimized();
        break;
    case plataforma::EstadoDeExibicao::normal:
        janela.show();
        break;
    }
}
