#include "platform/piscar_janela.h"

// Only the declarations of Xlib are used here: the library itself is loaded at run time, so the
// program neither links to it nor needs it where there is no X server.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <dlfcn.h>
#include <unistd.h>

#include <cstdlib>

namespace plataforma {
namespace {

struct FuncoesX11 {
    decltype(&XOpenDisplay) abrirTela = nullptr;
    decltype(&XCloseDisplay) fecharTela = nullptr;
    decltype(&XInternAtom) atomo = nullptr;
    decltype(&XGetWindowProperty) lerPropriedade = nullptr;
    decltype(&XGetWMHints) lerDicas = nullptr;
    decltype(&XSetWMHints) gravarDicas = nullptr;
    decltype(&XFree) liberar = nullptr;
    decltype(&XSync) sincronizar = nullptr;
    decltype(&XSetErrorHandler) trocarTratadorDeErros = nullptr;
};

template <typename Funcao> bool carregar(void* biblioteca, const char* nome, Funcao& funcao) {
    funcao = reinterpret_cast<Funcao>(dlsym(biblioteca, nome));
    return funcao != nullptr;
}

// The Xlib functions, or nullptr when libX11 is not installed.
const FuncoesX11* funcoesX11() {
    static const FuncoesX11* const funcoes = []() -> const FuncoesX11* {
        void* biblioteca = dlopen("libX11.so.6", RTLD_NOW | RTLD_LOCAL);
        if (!biblioteca)
            return nullptr;
        static FuncoesX11 carregadas;
        const bool completas =
            carregar(biblioteca, "XOpenDisplay", carregadas.abrirTela) &&
            carregar(biblioteca, "XCloseDisplay", carregadas.fecharTela) &&
            carregar(biblioteca, "XInternAtom", carregadas.atomo) &&
            carregar(biblioteca, "XGetWindowProperty", carregadas.lerPropriedade) &&
            carregar(biblioteca, "XGetWMHints", carregadas.lerDicas) &&
            carregar(biblioteca, "XSetWMHints", carregadas.gravarDicas) &&
            carregar(biblioteca, "XFree", carregadas.liberar) &&
            carregar(biblioteca, "XSync", carregadas.sincronizar) &&
            carregar(biblioteca, "XSetErrorHandler", carregadas.trocarTratadorDeErros);
        return completas ? &carregadas : nullptr;
    }();
    return funcoes;
}

// A connection of our own to the X server named by DISPLAY, for one blink. It is not kept: Xlib
// ends the process when a connection it holds breaks, and the server behind DISPLAY need not be
// the one the program's windows are on, nor outlive them.
class ConexaoX11 {
public:
    explicit ConexaoX11(const FuncoesX11& x) : fX(x) {
        const char* nome = std::getenv("DISPLAY");
        if (nome && *nome)
            fTela = x.abrirTela(nome);
    }
    ConexaoX11(const ConexaoX11&) = delete;
    ConexaoX11& operator=(const ConexaoX11&) = delete;
    ~ConexaoX11() {
        if (fTela)
            fX.fecharTela(fTela);
    }
    Display* tela() const { return fTela; }

private:
    const FuncoesX11& fX;
    Display* fTela = nullptr;
};

// Errors of our own requests (a window id that does not exist on this server) must not reach
// Xlib's default handler, which ends the process; they only make the blink do nothing.
bool houveErroX11 = false;
int anotarErroX11(Display*, XErrorEvent*) {
    houveErroX11 = true;
    return 0;
}

// Whether the window is one of this process's own. The handle may come from a display that is not
// X11 at all (an offscreen window, another windowing system), where it can name some other
// client's window on this server; such windows are left alone.
bool janelaDesteProcesso(const FuncoesX11& x, Display* tela, Window janela) {
    Atom tipo = None;
    int formato = 0;
    unsigned long quantos = 0;
    unsigned long restam = 0;
    unsigned char* dados = nullptr;
    const int estado =
        x.lerPropriedade(tela, janela, x.atomo(tela, "_NET_WM_PID", False), 0, 1, False,
                         XA_CARDINAL, &tipo, &formato, &quantos, &restam, &dados);
    if (estado != Success || houveErroX11)
        return false;
    // Xlib hands 32-bit items over as longs.
    const bool nossa = dados && tipo == XA_CARDINAL && formato == 32 && quantos == 1 &&
                       *reinterpret_cast<const long*>(dados) == static_cast<long>(getpid());
    if (dados)
        x.liberar(dados);
    return nossa;
}

// The urgency hint is the X11 way of asking for attention: window managers make the taskbar entry
// (and often the caption) stand out while it is set, so toggling it blinks the window.
void alternarUrgencia(const FuncoesX11& x, Display* tela, Window janela) {
    XWMHints dicas{};
    if (XWMHints* atuais = x.lerDicas(tela, janela)) {
        dicas = *atuais;
        x.liberar(atuais);
    }
    dicas.flags ^= XUrgencyHint;
    x.gravarDicas(tela, janela, &dicas);
}

} // namespace

void piscarJanela(std::uintptr_t janela) noexcept {
    const FuncoesX11* x = funcoesX11();
    if (!x)
        return;
    const ConexaoX11 conexao(*x);
    Display* tela = conexao.tela();
    if (!tela)
        return;
    const auto anterior = x->trocarTratadorDeErros(anotarErroX11);
    houveErroX11 = false;
    const auto idJanela = static_cast<Window>(janela);
    if (janelaDesteProcesso(*x, tela, idJanela))
        alternarUrgencia(*x, tela, idJanela);
    // Waits for the server to answer every request above, so that their errors arrive while our
    // handler is still in place.
    x->sincronizar(tela, False);
    x->trocarTratadorDeErros(anterior);
}

} // namespace plataforma
