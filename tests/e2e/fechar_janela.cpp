// Asks an X window to close the way a window manager's close box does: a WM_DELETE_WINDOW
// message. The tests run on a display without a window manager, where nothing else sends it.
//   fechar_janela <window id>
#include <X11/Xlib.h>

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
    const Window janela = std::strtoul(argv[1], nullptr, 0);
    XEvent evento{};
    evento.xclient.type = ClientMessage;
    evento.xclient.window = janela;
    evento.xclient.message_type = XInternAtom(tela, "WM_PROTOCOLS", False);
    evento.xclient.format = 32;
    evento.xclient.data.l[0] = static_cast<long>(XInternAtom(tela, "WM_DELETE_WINDOW", False));
    evento.xclient.data.l[1] = CurrentTime;
    XSendEvent(tela, janela, False, NoEventMask, &evento);
    XCloseDisplay(tela);
    return 0;
}
