// Starts a program on the current X display several times and measures, for each run, the time
// from the start of the process to the mapping of its window with a given title, and the peak
// resident memory of the process at that moment. The window is then asked to close, like a
// window manager's close box would, and the process is waited for.
//   medir_inicio <runs> <window title> <program> [arguments...]
// Prints one line per run: "<milliseconds> <peak kB>", then the medians.
#include "tests/support/pedir_fechamento.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

namespace {

using Relogio = std::chrono::steady_clock;

// Wine maps short-lived windows of its own, which may be gone by the time their title is read:
// the X error for such a window leaves it without a title, and the search goes on. Any other X
// error ends the measurement.
int tratarErroDoX(Display* tela, XErrorEvent* erro) {
    if (erro->error_code == BadWindow)
        return 0;
    char texto[256];
    XGetErrorText(tela, erro->error_code, texto, sizeof texto);
    std::fprintf(stderr, "medir_inicio: X error: %s\n", texto);
    std::exit(1);
}

std::string tituloDaJanela(Display* tela, Window janela) {
    Atom tipo;
    int formato;
    unsigned long itens, restantes;
    unsigned char* dados = nullptr;
    const Atom nome = XInternAtom(tela, "_NET_WM_NAME", False);
    const Atom utf8 = XInternAtom(tela, "UTF8_STRING", False);
    std::string titulo;
    if (XGetWindowProperty(tela, janela, nome, 0, 1024, False, utf8, &tipo, &formato, &itens,
                           &restantes, &dados) == Success &&
        dados) {
        titulo.assign(reinterpret_cast<char*>(dados), itens);
        XFree(dados);
    }
    return titulo;
}

long picoDeMemoriaKb(pid_t processo) {
    std::ifstream estado("/proc/" + std::to_string(processo) + "/status");
    std::string linha;
    while (std::getline(estado, linha))
        if (linha.rfind("VmHWM:", 0) == 0)
            return std::strtol(linha.c_str() + 6, nullptr, 10);
    return -1;
}

// Waits for a window with the title to be mapped; returns it, or 0 after the deadline.
Window esperarJanela(Display* tela, const std::string& titulo, Relogio::time_point prazo) {
    while (Relogio::now() < prazo) {
        while (XPending(tela)) {
            XEvent evento;
            XNextEvent(tela, &evento);
            if (evento.type != MapNotify)
                continue;
            // Qt sets the title before it maps the window.
            if (tituloDaJanela(tela, evento.xmap.window) == titulo)
                return evento.xmap.window;
        }
        pollfd fd{ConnectionNumber(tela), POLLIN, 0};
        poll(&fd, 1, 50);
    }
    return 0;
}

double mediana(std::vector<double> valores) {
    std::sort(valores.begin(), valores.end());
    const std::size_t meio = valores.size() / 2;
    return valores.size() % 2 ? valores[meio] : (valores[meio - 1] + valores[meio]) / 2;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 4) {
        std::fprintf(stderr,
                     "usage: medir_inicio <runs> <window title> <program> [arguments...]\n");
        return 2;
    }
    const int execucoes = std::atoi(argv[1]);
    const std::string titulo = argv[2];
    Display* tela = XOpenDisplay(nullptr);
    if (!tela) {
        std::fprintf(stderr, "medir_inicio: no X display\n");
        return 1;
    }
    XSetErrorHandler(tratarErroDoX);
    XSelectInput(tela, DefaultRootWindow(tela), SubstructureNotifyMask);
    XSync(tela, True);

    std::vector<double> tempos, memorias;
    for (int i = 0; i < execucoes; ++i) {
        const auto inicio = Relogio::now();
        const pid_t processo = fork();
        if (processo == 0) {
            execv(argv[3], argv + 3);
            _exit(127);
        }
        const Window janela = esperarJanela(tela, titulo, inicio + std::chrono::seconds(30));
        const auto mostrada = Relogio::now();
        if (!janela) {
            std::fprintf(stderr, "medir_inicio: no window titled \"%s\" within 30 s\n",
                         titulo.c_str());
            kill(processo, SIGKILL);
            waitpid(processo, nullptr, 0);
            return 1;
        }
        const long memoria = picoDeMemoriaKb(processo);
        pedirFechamento(tela, janela);
        int estado = 0;
        waitpid(processo, &estado, 0);
        XSync(tela, True);
        const double ms = std::chrono::duration<double, std::milli>(mostrada - inicio).count();
        std::printf("%.1f %ld\n", ms, memoria);
        tempos.push_back(ms);
        memorias.push_back(static_cast<double>(memoria));
    }
    std::printf("median %.1f ms %.0f kB\n", mediana(tempos), mediana(memorias));
    XCloseDisplay(tela);
    return 0;
}
