#pragma once

// Asks an X window to close the way a window manager's close box does: a WM_DELETE_WINDOW
// message. The tests and benchmarks run on displays without a window manager, where nothing else
// sends it.
#include <X11/Xlib.h>

inline void pedirFechamento(Display* tela, Window janela) {
    XEvent evento{};
    evento.xclient.type = ClientMessage;
    evento.xclient.window = janela;
    evento.xclient.message_type = XInternAtom(tela, "WM_PROTOCOLS", False);
    evento.xclient.format = 32;
    evento.xclient.data.l[0] = static_cast<long>(XInternAtom(tela, "WM_DELETE_WINDOW", False));
    evento.xclient.data.l[1] = CurrentTime;
    XSendEvent(tela, janela, False, NoEventMask, &evento);
    XFlush(tela);
}
