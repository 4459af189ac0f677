#pragma once

// Conversions between the UTF-8 text of the plain C++ layers and the UTF-16 of the Windows API.

#include <windows.h>

#include <string>

namespace plataforma {

inline std::string paraUtf8(const std::wstring& texto) {
    if (texto.empty())
        return {};
    const int tamanho = WideCharToMultiByte(
        CP_UTF8, 0, texto.data(), static_cast<int>(texto.size()), nullptr, 0, nullptr, nullptr);
    std::string resultado(static_cast<std::size_t>(tamanho), '\0');
    WideCharToMultiByte(CP_UTF8, 0, texto.data(), static_cast<int>(texto.size()), resultado.data(),
                        tamanho, nullptr, nullptr);
    return resultado;
}

inline std::wstring paraUtf16(const std::string& texto) {
    if (texto.empty())
        return {};
    const int tamanho =
        MultiByteToWideChar(CP_UTF8, 0, texto.data(), static_cast<int>(texto.size()), nullptr, 0);
    std::wstring resultado(static_cast<std::size_t>(tamanho), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, texto.data(), static_cast<int>(texto.size()), resultado.data(),
                        tamanho);
    return resultado;
}

} // namespace plataforma
