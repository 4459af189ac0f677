#include "report/FalhaDoVisualizador.h"

#include "platform/codificacao.h"

#include <cstdint>
#include <cstdio>
#include <vector>

namespace {

constexpr std::string_view substituto = "\xEF\xBF\xBD"; // U+FFFD

// The length of the well-formed UTF-8 sequence that `texto` begins with; 0 when it begins with
// none (a stray byte, a cut sequence, an overlong form, a surrogate, beyond U+10FFFF).
std::size_t sequenciaUtf8(std::string_view texto) {
    const auto byte = [&texto](std::size_t i) { return static_cast<unsigned char>(texto[i]); };
    const unsigned char primeiro = byte(0);
    if (primeiro < 0x80)
        return 1;
    std::size_t tamanho;
    char32_t ponto;
    if ((primeiro & 0xE0) == 0xC0) {
        tamanho = 2;
        ponto = primeiro & 0x1F;
    } else if ((primeiro & 0xF0) == 0xE0) {
        tamanho = 3;
        ponto = primeiro & 0x0F;
    } else if ((primeiro & 0xF8) == 0xF0) {
        tamanho = 4;
        ponto = primeiro & 0x07;
    } else {
        return 0;
    }
    if (texto.size() < tamanho)
        return 0;
    for (std::size_t i = 1; i < tamanho; ++i) {
        if ((byte(i) & 0xC0) != 0x80)
            return 0;
        ponto = (ponto << 6) | (byte(i) & 0x3F);
    }
    constexpr char32_t menores[] = {0, 0, 0x80, 0x800, 0x10000};
    if (ponto < menores[tamanho] || ponto > 0x10FFFF || (ponto >= 0xD800 && ponto <= 0xDFFF))
        return 0;
    return tamanho;
}

bool utf8Valido(std::string_view texto) {
    while (!texto.empty()) {
        const std::size_t tamanho = sequenciaUtf8(texto);
        if (tamanho == 0)
            return false;
        texto.remove_prefix(tamanho);
    }
    return true;
}

// Lines of the text: line feeds split it, a carriage return before one goes, a tab becomes four
// blanks; a byte that makes no character, and any other control character, become U+FFFD.
std::vector<std::string> linhasLimpas(std::string_view texto) {
    std::vector<std::string> linhas(1);
    while (!texto.empty()) {
        const std::size_t tamanho = sequenciaUtf8(texto);
        const char c = texto.front();
        if (c == '\n') {
            if (!linhas.back().empty() && linhas.back().back() == '\r')
                linhas.back().pop_back();
            linhas.emplace_back();
        } else if (tamanho == 0) {
            linhas.back() += substituto;
        } else if (c == '\t') {
            linhas.back() += "    "; // the dialog's text box would widen a tab to half its width
        } else if (tamanho == 1 && ((c < 0x20 && c != '\r') || c == 0x7F)) {
            linhas.back() += substituto;
        } else {
            linhas.back().append(texto.substr(0, tamanho));
        }
        texto.remove_prefix(tamanho == 0 ? 1 : tamanho);
    }
    // A carriage return left inside a line (a progress indicator's) is a control character too.
    for (std::string& linha : linhas) {
        for (std::size_t pos = linha.find('\r'); pos != std::string::npos; pos = linha.find('\r'))
            linha.replace(pos, 1, substituto);
    }
    return linhas;
}

bool emBranco(const std::string& linha) {
    return linha.find_first_not_of(" \t") == std::string::npos;
}

std::string codigoParaTexto(int codigo) {
    const auto semSinal = static_cast<std::uint32_t>(codigo);
    char texto[32];
    // Windows reports a crash as an NTSTATUS code, which is read in hexadecimal.
    if (semSinal > 0xFFFF)
        std::snprintf(texto, sizeof texto, "%lu (0x%08lX)", static_cast<unsigned long>(semSinal),
                      static_cast<unsigned long>(semSinal));
    else
        std::snprintf(texto, sizeof texto, "%lu", static_cast<unsigned long>(semSinal));
    return texto;
}

} // namespace

std::string ultimasLinhasDosErros(std::string_view bytes, bool cortado) {
    if (cortado) {
        const std::size_t quebra = bytes.find('\n');
        if (quebra != std::string_view::npos && quebra + 1 < bytes.size()) {
            bytes.remove_prefix(quebra + 1);
        } else {
            // One long line: it begins where a character begins.
            for (int i = 0; i < 3 && !bytes.empty() && (bytes.front() & 0xC0) == 0x80; ++i)
                bytes.remove_prefix(1);
        }
    }
    const std::string texto =
        utf8Valido(bytes) ? std::string(bytes) : plataforma::daPaginaAnsi(std::string(bytes));
    std::vector<std::string> linhas = linhasLimpas(texto);
    while (!linhas.empty() && emBranco(linhas.back()))
        linhas.pop_back();
    const std::size_t primeira =
        linhas.size() > linhasDosErrosMostradas ? linhas.size() - linhasDosErrosMostradas : 0;

    std::string resultado = cortado || primeira > 0 ? "[…]" : "";
    for (std::size_t i = primeira; i < linhas.size(); ++i) {
        if (!resultado.empty())
            resultado += plataforma::quebraDeLinha;
        resultado += linhas[i];
    }
    return resultado;
}

std::string avisoDeFalhaDoVisualizador(int codigoDeSaida, std::string_view finalDosErros,
                                       bool cortado) {
    if (codigoDeSaida == 0)
        return {};
    std::string aviso = "O relatório não pôde ser aberto: o visualizador de relatórios terminou "
                        "com o código de saída " +
                        codigoParaTexto(codigoDeSaida);
    const std::string linhas = ultimasLinhasDosErros(finalDosErros, cortado);
    if (linhas.empty())
        return aviso + " e não informou o motivo.";
    const std::string quebra = plataforma::quebraDeLinha;
    return aviso + ". O que ele informou por último:" + quebra + quebra + linhas;
}
