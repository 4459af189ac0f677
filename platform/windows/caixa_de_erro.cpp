#include "platform/caixa_de_erro.h"

#include "platform/windows/utf.h"

#include <windows.h>

namespace plataforma {

bool mostrarCaixaDeErroDoSistema(const std::string& titulo, const std::string& texto) {
    // Task-modal without an owner: every top-level window of the program is disabled while the
    // box is open, also before the main window exists.
    MessageBoxW(nullptr, paraUtf16(texto).c_str(), paraUtf16(titulo).c_str(),
                MB_OK | MB_ICONERROR | MB_TASKMODAL);
    return true;
}

} // namespace plataforma
