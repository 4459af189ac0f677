#include "platform/linha_de_comando.h"

#include "platform/windows/utf.h"

#include <windows.h>

namespace plataforma {

LinhaDeComando linhaDeComandoDoProcesso() {
    return {paraUtf8(GetCommandLineW()), {}};
}

} // namespace plataforma
