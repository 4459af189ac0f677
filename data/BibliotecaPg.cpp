#include "data/BibliotecaPg.h"

#include "data/ErroBanco.h"
#include "platform/caminho_programa.h"

#include <vector>

namespace {

// Fills `destino` with the library's function `nome`, noting the name when it is missing.
template <typename Funcao>
void procurarFuncao(plataforma::AlcaBiblioteca biblioteca, const char* nome, Funcao& destino,
                    std::vector<std::string>& ausentes) {
    void* endereco = plataforma::funcaoDaBiblioteca(biblioteca, nome);
    if (endereco == nullptr)
        ausentes.emplace_back(nome);
    destino = reinterpret_cast<Funcao>(endereco);
}

} // namespace

std::string TLigacaoDriverPg::caminhoBiblioteca() const {
    const std::string arquivo = VendorLib.empty() ? nomeArquivoLibpq : VendorLib;
    if (VendorHome.empty())
        return arquivo;
    const char separador = plataforma::separadorDePastas;
    std::string caminho = VendorHome;
    if (caminho.back() != separador)
        caminho += separador;
    return caminho + "lib" + separador + arquivo;
}

void TLigacaoDriverPg::liberarBiblioteca() {
    bibliotecaPg().liberarSeOciosa();
}

const FuncoesLibpq& TBibliotecaPg::carregar(const std::string& caminho) {
    if (fBiblioteca != nullptr)
        return fFuncoes;

    plataforma::FalhaDeCarga falha;
    plataforma::AlcaBiblioteca biblioteca = plataforma::carregarBiblioteca(caminho, falha);
    if (biblioteca == nullptr)
        throw erroCargaBiblioteca(caminho, falha.outraArquitetura, falha.texto);

    FuncoesLibpq funcoes;
    std::vector<std::string> ausentes;
    procurarFuncao(biblioteca, "PQconnectdb", funcoes.PQconnectdb, ausentes);
    procurarFuncao(biblioteca, "PQstatus", funcoes.PQstatus, ausentes);
    procurarFuncao(biblioteca, "PQerrorMessage", funcoes.PQerrorMessage, ausentes);
    procurarFuncao(biblioteca, "PQfinish", funcoes.PQfinish, ausentes);
    if (!ausentes.empty()) {
        // Unusable: the next open loads again rather than calling into a partial library.
        plataforma::liberarBiblioteca(biblioteca);
        throw erroPontosDeEntrada(ausentes);
    }

    fBiblioteca = biblioteca;
    fFuncoes = funcoes;
    return fFuncoes;
}

void TBibliotecaPg::liberarSeOciosa() {
    if (fBiblioteca == nullptr || fConexoesAbertas > 0)
        return;
    plataforma::liberarBiblioteca(fBiblioteca);
    fBiblioteca = nullptr;
    fFuncoes = {};
}

TBibliotecaPg& bibliotecaPg() {
    static TBibliotecaPg biblioteca;
    return biblioteca;
}
