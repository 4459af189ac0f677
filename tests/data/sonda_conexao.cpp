// Runs the connection step with its five arguments, as the program does at start, and prints
// "conectado" or the error's message; then destroys the data module as the program does at the
// end.
#include "data/ConexaoBanco.h"
#include "data/UnDM.h"

#include <iostream>

int main(int argc, char** argv) {
    const auto argumento = [&](int posicao) {
        return posicao < argc ? std::string(argv[posicao]) : std::string();
    };
    nomearAplicacaoParaOServidor();
    DM = new TDM;
    try {
        DM->conectar(argumento(1), argumento(2), argumento(3), argumento(4), argumento(5));
        std::cout << "conectado";
    } catch (const std::exception& erro) {
        std::cout << erro.what();
    }
    delete DM;
    return 0;
}
