// The floor of the start-up benchmark: the least that any program of this job does before its
// window is up. In one process it loads the PostgreSQL client library from a given file, connects
// once with the program's own connection string, then shows a window of the program's size with
// a few captions, so that Qt's font machinery is loaded as in any window with text.
//   piso <libpq file> <server> <port> <user> <password> <database>
// Connection failures are printed and the window is shown anyway, as the program does.
#include "data/BibliotecaPg.h"
#include "data/StringConexao.h"
#include "platform/biblioteca_dinamica.h"

#include <QApplication>
#include <QLabel>
#include <QWidget>

#include <cstdio>

namespace {

void conectar(const char* caminhoLibpq, char** valores) {
    plataforma::FalhaDeCarga falha;
    const plataforma::AlcaBiblioteca libpq = plataforma::carregarBiblioteca(caminhoLibpq, falha);
    if (libpq == nullptr) {
        std::fprintf(stderr, "piso: %s\n", falha.texto.c_str());
        return;
    }
    const auto PQconnectdb = reinterpret_cast<PGconn* (*)(const char*)>(
        plataforma::funcaoDaBiblioteca(libpq, "PQconnectdb"));
    const auto PQstatus =
        reinterpret_cast<int (*)(const PGconn*)>(plataforma::funcaoDaBiblioteca(libpq, "PQstatus"));
    const TParametrosConexao parametros(
        {"server=" + std::string(valores[0]), "port=" + std::string(valores[1]),
         "user_name=" + std::string(valores[2]), "password=" + std::string(valores[3]),
         "database=" + std::string(valores[4])});
    // The connection stays open while the window is shown, as the program's does.
    if (PQstatus(PQconnectdb(montarStringConexao(parametros).c_str())) != conexaoPgOk)
        std::fprintf(stderr, "piso: the connection failed\n");
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 7) {
        std::fprintf(stderr, "usage: piso <libpq file> <server> <port> <user> <password> "
                             "<database>\n");
        return 2;
    }
    QApplication aplicacao(argc, argv);
    conectar(argv[1], argv + 2);

    QWidget janela;
    janela.setWindowTitle("Piso");
    janela.resize(791, 182);
    int y = 10;
    for (const char* texto : {"Dt.Vencimento Chave", "Dt.Vencimento Boleto", "Ordenar por"}) {
        auto* rotulo = new QLabel(texto, &janela);
        rotulo->move(10, y);
        y += 30;
    }
    janela.show();
    return aplicacao.exec();
}
