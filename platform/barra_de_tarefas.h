#pragma once

#include <cstdint>

namespace plataforma {

// Gives a top-level window its own taskbar button even when it is a tool window, which the
// taskbar otherwise leaves out. `janela` is the window's native handle; call it before the window
// is first shown. Never throws.
void darBotaoNaBarraDeTarefas(std::uintptr_t janela) noexcept;

} // namespace plataforma
