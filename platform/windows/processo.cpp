#include "platform/processo.h"

namespace plataforma {

// Windows writes no core dump of a program that has not asked for one.
void protegerMemoriaDoProcesso() noexcept {}

bool haTelaParaJanelas() {
    return true;
}

} // namespace plataforma
