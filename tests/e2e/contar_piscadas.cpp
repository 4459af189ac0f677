// Counts how often a window asks for the user's attention during a while, the two ways a program
// does it on X11: by toggling the urgency hint of its WM_HINTS (the Linux program) or by asking
// the window manager, with a _NET_WM_STATE message to the root window, to mark it as demanding
// attention (Wine's FlashWindow).
//   contar_piscadas <window id> <seconds>
// Prints the number of such requests seen.
#include <X11/Xlib.h>

#include <poll.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: contar_piscadas <window id> <seconds>\n");
        return 2;
    }
    Display* tela = XOpenDisplay(nullptr);
    if (!tela) {
        std::fprintf(stderr, "contar_piscadas: cannot open the display\n");
        return 1;
    }
    const Window janela = std::strtoul(argv[1], nullptr, 0);
    const Atom dicas = XInternAtom(tela, "WM_HINTS", False);
    const Atom estado = XInternAtom(tela, "_NET_WM_STATE", False);
    const Atom atencao = XInternAtom(tela, "_NET_WM_STATE_DEMANDS_ATTENTION", False);
    XSelectInput(tela, janela, PropertyChangeMask);
    XSelectInput(tela, DefaultRootWindow(tela), SubstructureNotifyMask);
    XSync(tela, False);

    int pedidos = 0;
    const auto fim = std::chrono::steady_clock::now() + std::chrono::seconds(std::atoi(argv[2]));
    while (std::chrono::steady_clock::now() < fim) {
        while (XPending(tela)) {
            XEvent evento;
            XNextEvent(tela, &evento);
            if (evento.type == PropertyNotify && evento.xproperty.window == janela &&
                evento.xproperty.atom == dicas)
                ++pedidos;
            else if (evento.type == ClientMessage && evento.xclient.window == janela &&
                     evento.xclient.message_type == estado &&
                     static_cast<Atom>(evento.xclient.data.l[1]) == atencao)
                ++pedidos;
        }
        pollfd fd{ConnectionNumber(tela), POLLIN, 0};
        poll(&fd, 1, 50);
    }
    std::printf("%d\n", pedidos);
    XCloseDisplay(tela);
    return 0;
}
