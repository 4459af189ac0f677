#include "platform/codificacao.h"

#include "platform/windows/utf.h"

#include <windows.h>

namespace plataforma {

std::string paraPaginaAnsi(const std::string& utf8) {
    // A system whose ANSI code page is UTF-8 takes the text as it is (and refuses the flag below).
    if (GetACP() == CP_UTF8)
        return utf8;
    const std::wstring largo = paraUtf16(utf8);
    if (largo.empty())
        return {};
    // Without best-fit mapping: a look-alike such as a full-width apostrophe must not turn into
    // a character that has a meaning of its own to the receiver.
    const DWORD opcoes = WC_NO_BEST_FIT_CHARS;
    const int tamanho = WideCharToMultiByte(
        CP_ACP, opcoes, largo.data(), static_cast<int>(largo.size()), nullptr, 0, nullptr, nullptr);
    std::string resultado(static_cast<std::size_t>(tamanho), '\0');
    WideCharToMultiByte(CP_ACP, opcoes, largo.data(), static_cast<int>(largo.size()),
                        resultado.data(), tamanho, nullptr, nullptr);
    return resultado;
}

std::string daPaginaAnsi(const std::string& ansi) {
    if (ansi.empty() || GetACP() == CP_UTF8)
        return ansi;
    const int tamanho =
        MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()), nullptr, 0);
    std::wstring largo(static_cast<std::size_t>(tamanho), L'\0');
    MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()), largo.data(),
                        tamanho);
    return paraUtf8(largo);
}

} // namespace plataforma
