#include "platform/processo.h"

#ifdef __linux__
#include <sys/prctl.h>
#endif

#include <cstdlib>
#include <initializer_list>

namespace plataforma {

void protegerMemoriaDoProcesso() noexcept {
#ifdef __linux__
    prctl(PR_SET_DUMPABLE, 0, 0, 0, 0);
#endif
}

bool haTelaParaJanelas() {
    for (const char* variavel : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
        const char* valor = std::getenv(variavel);
        if (valor != nullptr && *valor != '\0')
            return true;
    }
    return false;
}

} // namespace plataforma
