// Closes an X window as a window manager's close box does.
//   fechar_janela <window id>
#include "tests/support/pedir_fechamento.h"

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: fechar_janela <window id>\n");
        return 2;
    }
    Display* tela = XOpenDisplay(nullptr);
    if (!tela) {
        std::fprintf(stderr, "fechar_janela: cannot open the display\n");
        return 1;
    }
    pedirFechamento(tela, std::strtoul(argv[1], nullptr, 0));
    XCloseDisplay(tela);
    return 0;
}
