#pragma once

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

// Text conversions shared by the launcher's layers.

// Raised when a text is not a whole number in one of the accepted forms.
class ErroConversao : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Raised when a lookup reaches past the end of a list.
class ErroIntervalo : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Converts a text to a 32-bit signed integer. Accepted: leading blanks, at most one sign, then
// decimal digits within the 32-bit range, or hexadecimal digits after "$", "x", "X", "0x" or
// "0X" whose 32-bit pattern is read as signed ("$FFFFFFFF" is -1). Nothing may follow the
// digits. Anything else raises ErroConversao with "'<texto>' is not a valid integer value".
std::int32_t TextoParaInteiro(const std::string& texto);

// The same rules without raising: no value when the text does not convert.
std::optional<std::int32_t> TentarTextoParaInteiro(const std::string& texto);

// Looks `t` up in `AEnumerados` and returns the text at the same position of `AString`. Every
// position is visited, so a later match overrides an earlier one; no match gives "". A match at a
// position that `AString` lacks raises ErroIntervalo("Range check error").
std::string EnumeradoToStr(int t, const std::vector<std::string>& AString,
                           const std::vector<int>& AEnumerados);
