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

// Where the item that starts at `posicao` ends: at the first separator outside a quoted stretch.
std::size_t fimDoItem(std::string_view linha, std::size_t posicao) {
    while (posicao < linha.size() && !separador(linha[posicao])) {
        if (linha[posicao] == '"') {
            const std::size_t fim = linha.find('"', posicao + 1);
            posicao = fim == std::string_view::npos ? linha.size() : fim + 1;
        } else {
            ++posicao;
        }
    }
    return posicao;
}

// Where the password lies in the process's command line, in the terms the platform's masking
// takes: a stretch of the raw line, or of the argument vector's items joined by NULs.
Trecho trechoDaSenha(const plataforma::LinhaDeComando& linha) {
    constexpr std::size_t senha = 3;
    if (linha.bruta)
        return trechosDosArgumentos(*linha.bruta)[senha];
    const std::size_t item = senha + 1; // after the program's name
    if (linha.vetor.size() <= item)
        return {};
    std::size_t inicio = 0;
    for (std::size_t i = 0; i < item; ++i)
        inicio += linha.vetor[i].size() + 1;
    return {inicio, inicio + linha.vetor[item].size()};
}

} // namespace

TrechosDosArgumentos trechosDosArgumentos(std::string_view linha) {
    TrechosDosArgumentos trechos;
    std::size_t posicao = fimDoItem(linha, inicioDoProximoItem(linha, 0)); // the program's path
    for (Trecho& trecho : trechos) {
        posicao = inicioDoProximoItem(linha, posicao);
        if (posicao == linha.size())
            break;
        trecho = {posicao, fimDoItem(linha, posicao)};
        posicao = trecho.fim;
    }
    return trechos;
}

ArgumentosDaLinhaDeComando separarArgumentos(std::string_view linha) {
    const TrechosDosArgumentos trechos = trechosDosArgumentos(linha);
    ArgumentosDaLinhaDeComando argumentos;
    for (std::size_t i = 0; i < trechos.size(); ++i)
        for (const char c : linha.substr(trechos[i].inicio, trechos[i].fim - trechos[i].inicio))
            if (c != '"')
                argumentos[i] += c;
    return argumentos;
}

ArgumentosDaLinhaDeComando argumentosDoVetor(const std::vector<std::string>& vetor) {
    ArgumentosDaLinhaDeComando argumentos;
    for (std::size_t i = 1; i < vetor.size() && i <= argumentos.size(); ++i)
        argumentos[i - 1] = vetor[i];
    return argumentos;
}

ArgumentosDaLinhaDeComando lerArgumentosDoProcesso() {
    const plataforma::LinhaDeComando linha = plataforma::linhaDeComandoDoProcesso();
    return linha.bruta ? separarArgumentos(*linha.bruta) : argumentosDoVetor(linha.vetor);
}

void mascararSenhaNaLinhaDeComando() {
    const Trecho senha = trechoDaSenha(plataforma::linhaDeComandoDoProcesso());
    plataforma::mascararNaLinhaDeComando(senha.inicio, senha.fim);
}

ArgumentosDaPartida ArgumentosDaPartida::lerEMascarar() {
    ArgumentosDaPartida argumentos;
    try {
        argumentos.fValores = lerArgumentosDoProcesso();
        mascararSenhaNaLinhaDeComando();
    } catch (...) {
        argumentos.fErro = std::current_exception();
    }
    return argumentos;
}

ArgumentosDaLinhaDeComando ArgumentosDaPartida::operator()() const {
    if (fErro)
        std::rethrow_exception(fErro);
    return fValores;
}
