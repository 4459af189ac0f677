#include "data/ConexaoBanco.h"

#include "data/ErroBanco.h"
#include "data/StringConexao.h"
#include "platform/ambiente.h"
#include "platform/codificacao.h"

void nomearAplicacaoParaOServidor() {
    plataforma::definirVariavelPropria("PGAPPNAME", "RelLicensaCliente");
}

TConexaoBanco::TConexaoBanco(const TLigacaoDriverPg& driver, TParametrosConexao parametros)
    : Parametros(std::move(parametros)), fDriver(driver) {}

TConexaoBanco::~TConexaoBanco() {
    fechar();
}

void TConexaoBanco::definirDriver(const std::string& identificador) {
    Parametros.definir("DriverID", identificador);
}

void TConexaoBanco::abrir() {
    if (aberta())
        return;
    const FuncoesLibpq& libpq = bibliotecaPg().carregar(fDriver.caminhoBiblioteca());

    // One attempt, without a prompt of our own. The connection string carries a limit
    // (connect_timeout), so that a server that never answers is given up after that many seconds
    // rather than when the system's TCP attempts run out.
    // The values in the system's ANSI code page; the connection sets no client character set.
    const std::string conninfo = montarStringConexao(Parametros, plataforma::paraPaginaAnsi);
    PGconn* conexao = libpq.PQconnectdb(conninfo.c_str());
    const char* mensagem = libpq.PQerrorMessage(conexao);
    if (libpq.PQstatus(conexao) != conexaoPgOk || (mensagem != nullptr && *mensagem != '\0')) {
        const std::string texto = plataforma::daPaginaAnsi(mensagem != nullptr ? mensagem : "");
        libpq.PQfinish(conexao);
        throw erroTentativa(texto);
    }
    fLibpq = &libpq;
    fConexao = conexao;
    bibliotecaPg().conexaoAberta();
}

void TConexaoBanco::fechar() {
    if (!aberta())
        return;
    fLibpq->PQfinish(fConexao);
    fConexao = nullptr;
    fLibpq = nullptr;
    bibliotecaPg().conexaoFechada();
}
