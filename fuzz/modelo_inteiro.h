#pragma once

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>

// A reference model of the integer conversion, written apart from the program's: leading
// blanks, one optional sign, then decimal digits, or hexadecimal ones after "$", "x", "X", "0x"
// or "0X", and nothing after them. The digits are read by strtoull, which has its own overflow
// detection.
inline std::optional<std::int32_t> inteiroDeReferencia(std::string_view texto) {
    texto.remove_prefix(std::min(texto.find_first_not_of(' '), texto.size()));
    bool negativo = false;
    if (!texto.empty() && (texto[0] == '-' || texto[0] == '+')) {
        negativo = texto[0] == '-';
        texto.remove_prefix(1);
    }
    int base = 10;
    for (const std::string_view prefixo : {"0x", "0X", "$", "x", "X"}) {
        if (texto.starts_with(prefixo)) {
            base = 16;
            texto.remove_prefix(prefixo.size());
            break;
        }
    }
    const std::string_view digitos = base == 16 ? "0123456789abcdefABCDEF" : "0123456789";
    if (texto.empty() || texto.find_first_not_of(digitos) != texto.npos)
        return std::nullopt;

    const std::string copia(texto);
    errno = 0;
    const unsigned long long valor = std::strtoull(copia.c_str(), nullptr, base);
    if (errno == ERANGE)
        return std::nullopt;
    if (base == 10) {
        if (valor > (negativo ? 2147483648ULL : 2147483647ULL))
            return std::nullopt;
        return static_cast<std::int32_t>(negativo ? -static_cast<long long>(valor)
                                                  : static_cast<long long>(valor));
    }
    if (valor > 0xFFFFFFFFULL)
        return std::nullopt;
    // The 32-bit pattern, negated modulo 2^32 when a minus sign stands before it.
    const std::uint32_t padrao =
        static_cast<std::uint32_t>(negativo ? (0x100000000ULL - valor) : valor);
    return static_cast<std::int32_t>(padrao);
}
