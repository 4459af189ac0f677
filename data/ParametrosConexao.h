#pragma once

#include <string>
#include <vector>

// The parameter list of a connection: ordered lines "name=value". Names are matched without
// regard to (ASCII) case; a value is everything after the line's first "=".
class TParametrosConexao {
public:
    TParametrosConexao() = default;
    explicit TParametrosConexao(std::vector<std::string> linhas);

    // The value of `nome` without the characters of code 32 or less at either end; empty when
    // there is no such line.
    std::string valor(const std::string& nome) const;

    // Whether `nome` has a value: a line made of blanks alone counts as absent.
    bool temValor(const std::string& nome) const { return !valor(nome).empty(); }

    // Writes `nome` "=" `valor` in place of the line of the same name, or at the end when there
    // is none. An empty value removes the line instead.
    void definir(const std::string& nome, const std::string& valor);

    const std::vector<std::string>& linhas() const { return fLinhas; }

private:
    std::vector<std::string>::const_iterator procurar(const std::string& nome) const;

    std::vector<std::string> fLinhas;
};
