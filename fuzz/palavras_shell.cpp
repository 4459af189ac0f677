#include "fuzz/palavras_shell.h"

#include <algorithm>
#include <array>

namespace {

// Characters that stand for themselves outside quotes anywhere in a word. Bytes of multi-byte
// characters are ordinary to the shell. Left out on purpose, though harmless in some places:
// '~' and '#' (special at the start of a word), '!', '{', '}', ']' and control characters.
bool ordinario(unsigned char c) {
    const std::string_view sinais = "_-.:/+@,=%";
    return c >= 0x80 || (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') ||
           (c >= 'a' && c <= 'z') || sinais.find(static_cast<char>(c)) != sinais.npos;
}

bool branco(char c) {
    return c == ' ' || c == '\t';
}

// The first word of a command is taken for a reserved word when it is one, unquoted.
bool palavraReservada(std::string_view palavra) {
    constexpr std::array reservadas{"case", "do",    "done",  "elif",     "else",
                                    "esac", "fi",    "for",   "if",       "in",
                                    "then", "until", "while", "function", "select"};
    return std::ranges::find(reservadas, palavra) != reservadas.end();
}

} // namespace

std::optional<std::vector<std::string>> palavrasDoShell(std::string_view comando) {
    std::vector<std::string> palavras;
    std::string palavra;
    bool haPalavra = false;     // a quote alone makes an (empty) word
    bool tudoSemAspas = true;   // for the reserved-word check of the first word
    bool igualSemAspas = false; // an unquoted '=' in the first word makes it an assignment

    const auto terminarPalavra = [&]() -> bool {
        if (!haPalavra)
            return true;
        if (palavras.empty() && (igualSemAspas || (tudoSemAspas && palavraReservada(palavra))))
            return false;
        palavras.push_back(palavra);
        palavra.clear();
        haPalavra = false;
        tudoSemAspas = true;
        igualSemAspas = false;
        return true;
    };

    for (std::size_t i = 0; i < comando.size(); ++i) {
        const char c = comando[i];
        if (branco(c)) {
            if (!terminarPalavra())
                return std::nullopt;
        } else if (c == '\'') {
            const std::size_t fim = comando.find('\'', i + 1);
            if (fim == comando.npos)
                return std::nullopt;
            const std::string_view trecho = comando.substr(i + 1, fim - i - 1);
            if (trecho.find('\0') != trecho.npos)
                return std::nullopt;
            palavra.append(trecho);
            haPalavra = true;
            tudoSemAspas = false;
            i = fim;
        } else if (c == '\\') {
            if (i + 1 == comando.size() || comando[i + 1] == '\0')
                return std::nullopt;
            ++i;
            if (comando[i] == '\n')
                continue; // the line goes on
            palavra += comando[i];
            haPalavra = true;
            tudoSemAspas = false;
        } else if (ordinario(static_cast<unsigned char>(c))) {
            palavra += c;
            haPalavra = true;
            igualSemAspas = igualSemAspas || c == '=';
        } else {
            return std::nullopt;
        }
    }
    if (!terminarPalavra())
        return std::nullopt;
    return palavras;
}
