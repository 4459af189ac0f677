#include "fuzz/palavras_cmd.h"

std::optional<std::string> linhaAposInterpretadorWindows(std::string_view linha) {
    std::string resultado;
    bool entreAspas = false;
    for (std::size_t i = 0; i < linha.size(); ++i) {
        const char c = linha[i];
        if (c == '"') {
            entreAspas = !entreAspas;
            resultado += c;
        } else if (entreAspas) {
            if (c == '%')
                return std::nullopt;
            resultado += c;
        } else if (c == '^') {
            if (++i == linha.size())
                return std::nullopt;
            resultado += linha[i];
        } else if (c == '%' && i > 0 && linha[i - 1] == '"' && i + 1 < linha.size() &&
                   linha[i + 1] == '"') {
            resultado += c;
        } else if (std::string_view("&|<>()%!").find(c) != std::string_view::npos) {
            return std::nullopt;
        } else {
            resultado += c;
        }
    }
    return resultado;
}

std::vector<std::string> argumentosDoProgramaWindows(std::string_view linha) {
    std::vector<std::string> argumentos;
    std::size_t i = 0;
    for (;;) {
        while (i < linha.size() && (linha[i] == ' ' || linha[i] == '\t'))
            ++i;
        if (i == linha.size())
            return argumentos;
        std::string argumento;
        bool entreAspas = false;
        while (i < linha.size() && (entreAspas || (linha[i] != ' ' && linha[i] != '\t'))) {
            std::size_t barras = 0;
            while (i < linha.size() && linha[i] == '\\') {
                ++barras;
                ++i;
            }
            if (i < linha.size() && linha[i] == '"') {
                argumento.append(barras / 2, '\\');
                if (barras % 2 == 1) {
                    argumento += '"';
                } else if (entreAspas && i + 1 < linha.size() && linha[i + 1] == '"') {
                    argumento += '"';
                    ++i;
                } else {
                    entreAspas = !entreAspas;
                }
                ++i;
            } else {
                argumento.append(barras, '\\');
                if (barras == 0) {
                    argumento += linha[i];
                    ++i;
                }
            }
        }
        argumentos.push_back(argumento);
    }
}
