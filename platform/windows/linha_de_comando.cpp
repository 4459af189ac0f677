#include "platform/linha_de_comando.h"

#include "platform/windows/utf.h"

#include <windows.h>

#include <cwchar>

namespace plataforma {

LinhaDeComando linhaDeComandoDoProcesso() {
    return {paraUtf8(GetCommandLineW()), {}};
}

// The line GetCommandLineW returns is the process's own copy, the one other programs read.
void mascararNaLinhaDeComando(std::size_t inicio, std::size_t fim) {
    wchar_t* const linha = GetCommandLineW();
    const std::string bruta = paraUtf8(linha);
    if (inicio > fim || fim > bruta.size())
        return;
    // The stretch begins and ends beside a blank, a quote or an end of the line, so it holds whole
    // characters: its bounds in the UTF-16 line are those of the same text.
    const std::size_t de = paraUtf16(bruta.substr(0, inicio)).size();
    const std::size_t ate = de + paraUtf16(bruta.substr(inicio, fim - inicio)).size();
    if (ate > std::wcslen(linha))
        return;
    for (std::size_t i = de; i < ate; ++i)
        if (linha[i] != L'"')
            linha[i] = L'*';
}

} // namespace plataforma
