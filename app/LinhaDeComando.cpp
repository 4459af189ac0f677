#include "app/LinhaDeComando.h"

#include "platform/linha_de_comando.h"

namespace {

bool separador(char c) {
    return static_cast<unsigned char>(c) <= 32;
}

// Moves past separators and empty quote pairs to where the next item starts.
std::size_t inicioDoProximoItem(std::string_view linha, std::size_t posicao) {
    for (;;) {
        while (posicao < linha.size() && separador(linha[posicao]))
            ++posicao;
        if (linha.substr(posicao, 2) != "\"\"")
            return posicao;
        posicao += 2;
    }
}

// Reads one item starting at `posicao`, leaving `posicao` just past it.
std::string lerItem(std::string_view linha, std::size_t& posicao) {
    std::string item;
    while (posicao < linha.size() && !separador(linha[posicao])) {
        if (linha[posicao] == '"') {
            const std::size_t fim = linha.find('"', posicao + 1);
            const std::size_t fimDoTrecho = fim == std::string_view::npos ? linha.size() : fim;
            item.append(linha.substr(posicao + 1, fimDoTrecho - posicao - 1));
            posicao = fim == std::string_view::npos ? linha.size() : fim + 1;
        } else {
            item += linha[posicao++];
        }
    }
    return item;
}

} // namespace

ArgumentosDaLinhaDeComando separarArgumentos(std::string_view linha) {
    ArgumentosDaLinhaDeComando argumentos;
    std::size_t posicao = inicioDoProximoItem(linha, 0);
    lerItem(linha, posicao); // the program's own path
    for (std::string& argumento : argumentos) {
        posicao = inicioDoProximoItem(linha, posicao);
        if (posicao == linha.size())
            break;
        argumento = lerItem(linha, posicao);
    }
    return argumentos;
}

ArgumentosDaLinhaDeComando argumentosDoVetor(const std::vector<std::string>& vetor) {
    ArgumentosDaLinhaDeComando argumentos;
    for (std::size_t i = 1; i < vetor.size() && i <= argumentos.size(); ++i)
        argumentos[i - 1] = vetor[i];
    return argumentos;
}

ArgumentosDaLinhaDeComando argumentosDoProcesso() {
    const plataforma::LinhaDeComando linha = plataforma::linhaDeComandoDoProcesso();
    return linha.bruta ? separarArgumentos(*linha.bruta) : argumentosDoVetor(linha.vetor);
}
