#include "data/ParametrosConexao.h"

#include <algorithm>

namespace {

bool mesmoNome(const std::string& linha, const std::string& nome) {
    const std::string nomeDaLinha = linha.substr(0, linha.find('='));
    return std::ranges::equal(nomeDaLinha, nome, [](unsigned char a, unsigned char b) {
        const auto minuscula = [](unsigned char c) {
            return c >= 'A' && c <= 'Z' ? static_cast<unsigned char>(c - 'A' + 'a') : c;
        };
        return minuscula(a) == minuscula(b);
    });
}

bool ehEspaco(char c) {
    return static_cast<unsigned char>(c) <= ' ';
}

} // namespace

TParametrosConexao::TParametrosConexao(std::vector<std::string> linhas)
    : fLinhas(std::move(linhas)) {}

std::vector<std::string>::const_iterator
TParametrosConexao::procurar(const std::string& nome) const {
    return std::ranges::find_if(fLinhas,
                                [&](const std::string& linha) { return mesmoNome(linha, nome); });
}

std::string TParametrosConexao::valor(const std::string& nome) const {
    const auto linha = procurar(nome);
    if (linha == fLinhas.end())
        return {};
    const std::size_t igual = linha->find('=');
    if (igual == std::string::npos)
        return {};
    const auto inicio = std::find_if_not(linha->begin() + static_cast<std::ptrdiff_t>(igual) + 1,
                                         linha->end(), ehEspaco);
    const auto fim =
        std::find_if_not(linha->rbegin(), std::make_reverse_iterator(inicio), ehEspaco);
    return std::string(inicio, fim.base());
}

void TParametrosConexao::definir(const std::string& nome, const std::string& valor) {
    const auto linha = procurar(nome);
    if (valor.empty()) {
        if (linha != fLinhas.end())
            fLinhas.erase(linha);
        return;
    }
    if (linha != fLinhas.end())
        fLinhas[static_cast<std::size_t>(linha - fLinhas.begin())] = nome + "=" + valor;
    else
        fLinhas.push_back(nome + "=" + valor);
}
