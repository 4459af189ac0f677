#pragma once

#include "platform/biblioteca_dinamica.h"

#include <string>

// The PostgreSQL client library (libpq), loaded while the program runs.

// The file name of the client library on this platform.
#ifdef _WIN32
inline constexpr const char* nomeArquivoLibpq = "libpq.dll";
#else
inline constexpr const char* nomeArquivoLibpq = "libpq.so.5";
#endif

// A connection as libpq hands it out; only libpq looks inside.
struct pg_conn;
using PGconn = pg_conn;

// The libpq functions the connection uses.
struct FuncoesLibpq {
    PGconn* (*PQconnectdb)(const char* conninfo) = nullptr;
    int (*PQstatus)(const PGconn* conexao) = nullptr;
    char* (*PQerrorMessage)(const PGconn* conexao) = nullptr;
    void (*PQfinish)(PGconn* conexao) = nullptr;
};

// PQstatus of a connection that is ready.
inline constexpr int conexaoPgOk = 0;

// Where the client library is loaded from: the library file `VendorLib` in the folder "lib"
// below `VendorHome`.
class TLigacaoDriverPg {
public:
    std::string VendorHome;
    std::string VendorLib;

    // The full path of the library file: the file name alone when VendorHome is empty; the
    // platform's file name when VendorLib is empty.
    std::string caminhoBiblioteca() const;

    // Releases the library when it is loaded and no connection is open, so that a changed
    // location takes effect at the next open.
    void liberarBiblioteca();
};

// The client library of the process: loaded once, on the first open, and kept while the
// process runs, also after a failed attempt. Used from one thread.
class TBibliotecaPg {
public:
    // The entry points of the library, loading it from `caminho` first when the process has not
    // loaded it yet. Raises ErroBanco when it cannot be loaded or lacks an entry point.
    const FuncoesLibpq& carregar(const std::string& caminho);

    bool carregada() const { return fBiblioteca != nullptr; }

    // Open connections keep the library from being released.
    void conexaoAberta() { ++fConexoesAbertas; }
    void conexaoFechada() { --fConexoesAbertas; }

    // Releases the library when it is loaded and no connection is open.
    void liberarSeOciosa();

private:
    plataforma::AlcaBiblioteca fBiblioteca = nullptr;
    FuncoesLibpq fFuncoes;
    int fConexoesAbertas = 0;
};

// The one client library of the process.
TBibliotecaPg& bibliotecaPg();
