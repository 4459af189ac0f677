#include "platform/interpretador.h"

#include "platform/windows/utf.h"

#include <windows.h>

#include <shellapi.h>

namespace plataforma {

void iniciarInterpretadorOculto(const std::string& parametros) {
    const std::wstring parametrosUtf16 = paraUtf16(parametros);
    // The shell reports a refused start only through the returned value, which is not looked at:
    // the viewer's outcome is not followed either.
    static_cast<void>(
        ShellExecuteW(nullptr, nullptr, L"cmd.exe", parametrosUtf16.c_str(), nullptr, SW_HIDE));
}

} // namespace plataforma
