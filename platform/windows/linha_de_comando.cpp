#include "platform/linha_de_comando.h"

#include "platform/windows/utf.h"

#include <windows.h>

namespace plataforma {

std::string linhaDeComandoDoProcesso() {
    return paraUtf8(GetCommandLineW());
}

} // namespace plataforma
