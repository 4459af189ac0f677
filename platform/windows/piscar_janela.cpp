#include "platform/piscar_janela.h"

#include <windows.h>

namespace plataforma {

void piscarJanela(std::uintptr_t janela) noexcept {
    FlashWindow(reinterpret_cast<HWND>(janela), TRUE);
}

} // namespace plataforma
