#include "platform/barra_de_tarefas.h"

namespace plataforma {

// X11 taskbars list every top-level window that is neither transient for another window nor of a
// utility kind. Here a window that wants its own entry is made a normal top-level window by its
// creator, as there is no tool-window frame to keep, and nothing is left to add.
void darBotaoNaBarraDeTarefas(std::uintptr_t) noexcept {}

} // namespace plataforma
