#include "platform/estado_de_exibicao.h"

#include <windows.h>

namespace plataforma {

// The parent's request travels in the start-up information: wShowWindow counts only when
// STARTF_USESHOWWINDOW is set. Only "maximised" and "minimised without activation" change the
// window's first state; every other value shows it normally.
EstadoDeExibicao estadoDeExibicaoSolicitado() {
    STARTUPINFOW informacao{};
    informacao.cb = sizeof(informacao);
    GetStartupInfoW(&informacao);
    if ((informacao.dwFlags & STARTF_USESHOWWINDOW) == 0)
        return EstadoDeExibicao::normal;
    switch (informacao.wShowWindow) {
    case SW_SHOWMAXIMIZED:
        return EstadoDeExibicao::maximizado;
    case SW_SHOWMINNOACTIVE:
        return EstadoDeExibicao::minimizado;
    default:
        return EstadoDeExibicao::normal;
    }
}

} // namespace plataforma
