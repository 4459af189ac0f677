#include "platform/estado_de_exibicao.h"

namespace plataforma {

// A POSIX process receives no show state from its parent: the window opens in its normal state.
EstadoDeExibicao estadoDeExibicaoSolicitado() {
    return EstadoDeExibicao::normal;
}

} // namespace plataforma
