// The connection step against a local server, compared with a bare PQconnectdb of the same
// connection string on the same client library: what the data module adds to one connection.
// Each round connects and disconnects; the two kinds alternate so that both see the same server.
#include "data/StringConexao.h"
#include "data/UnDM.h"
#include "platform/biblioteca_dinamica.h"
#include "platform/caminho_programa.h"
#include "tests/support/servidor_pg.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>
#include <vector>

namespace {

using Relogio = std::chrono::steady_clock;

double mediana(std::vector<double> amostras) {
    std::ranges::sort(amostras);
    const std::size_t meio = amostras.size() / 2;
    return amostras.size() % 2 != 0 ? amostras[meio] : (amostras[meio - 1] + amostras[meio]) / 2;
}

template <typename Funcao> double microssegundos(Funcao funcao) {
    const auto inicio = Relogio::now();
    funcao();
    return std::chrono::duration<double, std::micro>(Relogio::now() - inicio).count();
}

} // namespace

int main(int argc, char** argv) {
    const int rodadas = argc > 1 ? std::atoi(argv[1]) : 300;
    const int aquecimento = 20;

    ServidorPgTeste servidor;
    const std::string senha = "senha bench";
    servidor.criarPapel("bench", senha);
    servidor.criarBanco("empresa", "bench");
    const std::string porta = std::to_string(servidor.porta());

    // The same library file the step loads, held open for the bare calls.
    const std::string programa = plataforma::caminhoDoPrograma();
    const std::string caminhoLibpq =
        programa.substr(0, programa.rfind('/') + 1) + "DLL/lib/" + nomeArquivoLibpq;
    plataforma::FalhaDeCarga falha;
    const plataforma::AlcaBiblioteca libpq = plataforma::carregarBiblioteca(caminhoLibpq, falha);
    if (libpq == nullptr) {
        std::fprintf(stderr, "%s\n", falha.texto.c_str());
        return 1;
    }
    const auto PQconnectdb = reinterpret_cast<PGconn* (*)(const char*)>(
        plataforma::funcaoDaBiblioteca(libpq, "PQconnectdb"));
    const auto PQstatus =
        reinterpret_cast<int (*)(const PGconn*)>(plataforma::funcaoDaBiblioteca(libpq, "PQstatus"));
    const auto PQfinish =
        reinterpret_cast<void (*)(PGconn*)>(plataforma::funcaoDaBiblioteca(libpq, "PQfinish"));

    TParametrosConexao parametros;
    parametros.definir("server", "127.0.0.1");
    parametros.definir("port", porta);
    parametros.definir("user_name", "bench");
    parametros.definir("password", senha);
    parametros.definir("database", "empresa");
    const std::string conninfo = montarStringConexao(parametros);

    const auto passoDeConexao = [&] {
        TDM modulo;
        modulo.conectar("127.0.0.1", porta, "bench", senha, "empresa");
    };
    const auto conexaoNua = [&] {
        PGconn* conexao = PQconnectdb(conninfo.c_str());
        if (PQstatus(conexao) != conexaoPgOk)
            throw std::runtime_error("bare connection failed");
        PQfinish(conexao);
    };

    std::vector<double> tempoPasso, tempoNua;
    for (int rodada = 0; rodada < aquecimento + rodadas; ++rodada) {
        const double passo = microssegundos(passoDeConexao);
        const double nua = microssegundos(conexaoNua);
        if (rodada >= aquecimento) {
            tempoPasso.push_back(passo);
            tempoNua.push_back(nua);
        }
    }

    const double medianaPasso = mediana(tempoPasso);
    const double medianaNua = mediana(tempoNua);
    std::printf("rounds: %d (after %d warm-up), server on 127.0.0.1:%s\n", rodadas, aquecimento,
                porta.c_str());
    std::printf("bare PQconnectdb + PQfinish (baseline): median %.0f us\n", medianaNua);
    std::printf("connection step + DM destroyed:         median %.0f us\n", medianaPasso);
    std::printf("ratio step / baseline: %.3f\n", medianaPasso / medianaNua);
    return 0;
}
