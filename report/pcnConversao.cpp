#include "report/pcnConversao.h"

namespace {

int valorDoDigito(char c, int base) {
    int valor = -1;
    if (c >= '0' && c <= '9')
        valor = c - '0';
    else if (c >= 'a' && c <= 'f')
        valor = c - 'a' + 10;
    else if (c >= 'A' && c <= 'F')
        valor = c - 'A' + 10;
    return valor < base ? valor : -1;
}

} // namespace

std::optional<std::int32_t> TentarTextoParaInteiro(const std::string& texto) {
    std::size_t i = 0;
    while (i < texto.size() && texto[i] == ' ')
        ++i;

    bool negativo = false;
    if (i < texto.size() && (texto[i] == '+' || texto[i] == '-')) {
        negativo = texto[i] == '-';
        ++i;
    }

    int base = 10;
    if (i < texto.size() && (texto[i] == '$' || texto[i] == 'x' || texto[i] == 'X')) {
        base = 16;
        i += 1;
    } else if (i + 1 < texto.size() && texto[i] == '0' &&
               (texto[i + 1] == 'x' || texto[i + 1] == 'X')) {
        base = 16;
        i += 2;
    }

    // Decimal values are bounded by the sign; hexadecimal ones by the 32-bit pattern.
    const std::uint64_t limite = base == 16 ? 0xFFFFFFFFu : (negativo ? 2147483648u : 2147483647u);
    if (i == texto.size())
        return std::nullopt;
    std::uint64_t acumulado = 0;
    for (; i < texto.size(); ++i) {
        const int digito = valorDoDigito(texto[i], base);
        if (digito < 0)
            return std::nullopt;
        acumulado = acumulado * base + static_cast<std::uint64_t>(digito);
        if (acumulado > limite)
            return std::nullopt;
    }

    // Two's complement arithmetic on the 32-bit pattern: "-$80000000" stays the minimum.
    std::uint32_t padrao = static_cast<std::uint32_t>(acumulado);
    if (negativo)
        padrao = ~padrao + 1u;
    return static_cast<std::int32_t>(padrao);
}

std::int32_t TextoParaInteiro(const std::string& texto) {
    if (const auto valor = TentarTextoParaInteiro(texto))
        return *valor;
    throw ErroConversao("'" + texto + "' is not a valid integer value");
}

std::string EnumeradoToStr(int t, const std::vector<std::string>& AString,
                           const std::vector<int>& AEnumerados) {
    std::string resultado;
    for (std::size_t i = 0; i < AEnumerados.size(); ++i) {
        if (AEnumerados[i] != t)
            continue;
        if (i >= AString.size())
            throw ErroIntervalo("Range check error");
        resultado = AString[i];
    }
    return resultado;
}
