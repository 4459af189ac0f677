#include "platform/barra_de_tarefas.h"

#include <windows.h>

namespace plataforma {

void darBotaoNaBarraDeTarefas(std::uintptr_t janela) noexcept {
    const HWND handle = reinterpret_cast<HWND>(janela);
    const LONG_PTR estilo = GetWindowLongPtrW(handle, GWL_EXSTYLE);
    SetWindowLongPtrW(handle, GWL_EXSTYLE, estilo | WS_EX_APPWINDOW);
}

} // namespace plataforma
