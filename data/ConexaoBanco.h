#pragma once

#include "data/BibliotecaPg.h"
#include "data/ParametrosConexao.h"

#include <string>

// Has the server list the program's sessions under its name (pg_stat_activity), through libpq's
// environment variable PGAPPNAME, so that the connection string stays as it is. A name the site
// set there wins; the processes the program starts do not inherit ours. It changes the
// environment, so main calls it before any thread exists.
void nomearAplicacaoParaOServidor();

// A connection to a PostgreSQL server, closed or open, configured by its parameter list and
// the client library location of `driver`.
class TConexaoBanco {
public:
    explicit TConexaoBanco(const TLigacaoDriverPg& driver, TParametrosConexao parametros = {});
    ~TConexaoBanco();
    TConexaoBanco(const TConexaoBanco&) = delete;
    TConexaoBanco& operator=(const TConexaoBanco&) = delete;

    TParametrosConexao Parametros;

    // Selects the driver by its identifier ("DriverID" in the parameter list).
    void definirDriver(const std::string& identificador);

    // Connects in one attempt, loading the client library first if needed; nothing happens when
    // the connection is open already. Raises ErroBanco when the library cannot be used or the
    // server does not accept the connection, which then stays closed.
    void abrir();

    // Ends the connection to the server; nothing happens when it is closed.
    void fechar();

    bool aberta() const { return fConexao != nullptr; }

private:
    const TLigacaoDriverPg& fDriver;
    const FuncoesLibpq* fLibpq = nullptr;
    PGconn* fConexao = nullptr;
};
