// The splitter of the command line that the parent application writes.

#include "app/LinhaDeComando.h"
#include "fuzz/verificar.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace {

// A second splitter, written as a state machine over the characters, to compare against.
std::vector<std::string> itensDeReferencia(std::string_view linha) {
    std::vector<std::string> itens;
    std::string atual;
    bool dentroDeItem = false;
    bool entreAspas = false;
    for (std::size_t i = 0; i < linha.size(); ++i) {
        const char c = linha[i];
        if (entreAspas) {
            if (c == '"')
                entreAspas = false;
            else
                atual += c;
        } else if (static_cast<unsigned char>(c) <= 32) {
            if (dentroDeItem)
                itens.push_back(atual);
            atual.clear();
            dentroDeItem = false;
        } else if (!dentroDeItem && c == '"' && i + 1 < linha.size() && linha[i + 1] == '"') {
            ++i; // an empty pair where an item would start is no item
        } else {
            dentroDeItem = true;
            if (c == '"')
                entreAspas = true;
            else
                atual += c;
        }
    }
    if (dentroDeItem)
        itens.push_back(atual);
    return itens;
}

ArgumentosDaLinhaDeComando argumentosDeReferencia(std::string_view linha) {
    const std::vector<std::string> itens = itensDeReferencia(linha);
    ArgumentosDaLinhaDeComando argumentos;
    for (std::size_t i = 0; i < argumentos.size() && i + 1 < itens.size(); ++i)
        argumentos[i] = itens[i + 1];
    return argumentos;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* dados, std::size_t tamanho) {
    const std::string_view linha(reinterpret_cast<const char*>(dados), tamanho);
    const ArgumentosDaLinhaDeComando argumentos = separarArgumentos(linha);

    VERIFICAR(argumentos == argumentosDeReferencia(linha));

    bool vazioAntes = false;
    for (const std::string& argumento : argumentos) {
        VERIFICAR(argumento.find('"') == std::string::npos);
        // An empty value cannot be passed in the middle: only the missing tail is empty.
        VERIFICAR(!(vazioAntes && !argumento.empty()));
        vazioAntes = vazioAntes || argumento.empty();
    }

    // Writing the values back each in double quotes, as a parent application would, gives the
    // same values again.
    std::string reescrita = "programa";
    for (const std::string& argumento : argumentos)
        if (!argumento.empty())
            reescrita += " \"" + argumento + "\"";
    VERIFICAR(separarArgumentos(reescrita) == argumentos);

    // An argument's stretch masked as the password is in the process's visible line (its
    // characters but the quotes made '*') leaves the others as they were.
    const TrechosDosArgumentos trechos = trechosDosArgumentos(linha);
    for (std::size_t i = 0; i < trechos.size(); ++i) {
        std::string mascarada(linha);
        for (std::size_t j = trechos[i].inicio; j < trechos[i].fim; ++j)
            if (mascarada[j] != '"')
                mascarada[j] = '*';
        ArgumentosDaLinhaDeComando esperados = argumentos;
        esperados[i] = std::string(argumentos[i].size(), '*');
        VERIFICAR(separarArgumentos(mascarada) == esperados);
    }
    return 0;
}
