// The baseline of the start-up benchmark: a bare Qt window built with the program's own flags.
#include <QApplication>
#include <QWidget>

int main(int argc, char** argv) {
    QApplication aplicacao(argc, argv);
    QWidget janela;
    janela.setWindowTitle("Janela vazia");
    janela.resize(791, 182);
    janela.show();
    return aplicacao.exec();
}
