#include "data/StringConexao.h"
#include "platform/biblioteca_dinamica.h"

#include <gtest/gtest.h>

#include <map>

namespace {

// The five values as the connection step writes them.
TParametrosConexao parametrosCom(const std::string& servidor, const std::string& porta,
                                 const std::string& usuario, const std::string& senha,
                                 const std::string& banco) {
    TParametrosConexao parametros({"DriverID=PG"});
    parametros.definir("server", servidor);
    parametros.definir("port", porta);
    parametros.definir("user_name", usuario);
    parametros.definir("password", senha);
    parametros.definir("database", banco);
    return parametros;
}

// Every connection string ends with the bound of the attempt.
const std::string limiteDaTentativa = " connect_timeout=30";

struct Caso {
    const char* nome;
    std::string servidor, porta, usuario, senha, banco;
    std::string esperado;
};

} // namespace

TEST(StringConexao, SaiCaractereACaractere) {
    const Caso casos[] = {
        {"completo com IPv4", "10.0.0.5", "5433", "relatorio", "s3nha", "empresa",
         "hostaddr=10.0.0.5 port=5433 dbname=empresa user=relatorio password=s3nha"},
        {"nome de servidor", "srvdados", "", "", "", "", "host=srvdados dbname=postgres"},
        {"cinco partes numericas", "10.0.0.5.7", "", "", "", "", "host=10.0.0.5.7 dbname=postgres"},
        {"parte acima de 255", "300.0.0.1", "", "", "", "", "host=300.0.0.1 dbname=postgres"},
        {"parte vazia descartada", "10..0.5.7", "", "", "", "",
         "hostaddr=10..0.5.7 dbname=postgres"},
        {"tres partes", "10.0.5", "", "", "", "", "host=10.0.5 dbname=postgres"},
        {"porta hexadecimal", "", "$1538", "", "", "", "port=5432 dbname=postgres"},
        {"porta que nao converte", "", "abc", "", "", "", "port=0 dbname=postgres"},
        {"porta com zeros e sinal", "", "+05432", "", "", "", "port=5432 dbname=postgres"},
        {"tudo vazio", "", "", "", "", "", "dbname=postgres"},
        {"tudo em branco", " ", "  ", "\t", "   ", "  ", "dbname=postgres"},
        {"valores aparados", " srvdados\t", " 5433 ", " rel ", " x ", "\tempresa\n",
         "host=srvdados port=5433 dbname=empresa user=rel password=x"},
        {"senha com branco", "", "", "", "minha senha", "",
         "dbname=postgres password='minha senha'"},
        {"senha com apostrofo", "", "", "", "d'agua", "", "dbname=postgres password=d\\'agua"},
        {"senha com barra invertida", "", "", "", "a\\b", "", "dbname=postgres password=a\\\\b"},
        {"senha com os tres", "", "", "", "a b'c\\d", "",
         "dbname=postgres password='a b\\'c\\\\d'"},
        {"senha com igual", "", "", "", "a=b", "", "dbname=postgres password=a=b"},
        {"tabulacao entre aspas", "", "", "", "x\thost=outro", "",
         "dbname=postgres password='x\thost=outro'"},
        {"quebra de linha entre aspas", "", "", "", "x\nport=1", "x\rport=1",
         "dbname='x\rport=1' password='x\nport=1'"},
        {"tabulacao vertical e avanco de pagina", "", "", "a\vb", "a\fb", "",
         "dbname=postgres user='a\vb' password='a\fb'"},
        {"acentos sem aspas", "", "", "usuário", "ção", "",
         "dbname=postgres user=usuário password=ção"},
    };
    for (const Caso& caso : casos) {
        SCOPED_TRACE(caso.nome);
        EXPECT_EQ(montarStringConexao(parametrosCom(caso.servidor, caso.porta, caso.usuario,
                                                    caso.senha, caso.banco)),
                  caso.esperado + limiteDaTentativa);
    }
}

TEST(StringConexao, ValoresDaDefinicaoNuncaChegam) {
    // Whatever was in the list, the step's empty values remove it.
    TParametrosConexao parametros({"DriverID=PG", "User_Name=projeto", "Server=srvprojeto",
                                   "Database=bdprojeto", "Password=senhaprojeto"});
    parametros.definir("server", "");
    parametros.definir("port", "");
    parametros.definir("user_name", "");
    parametros.definir("password", "");
    parametros.definir("database", "");
    EXPECT_EQ(montarStringConexao(parametros), "dbname=postgres" + limiteDaTentativa);
}

namespace {

// libpq's own reading of a connection string.
struct OpcaoConninfo {
    char* keyword;
    char* envvar;
    char* compiled;
    char* val;
    char* label;
    char* dispchar;
    int dispsize;
};

std::map<std::string, std::string> lidoPelaLibpq(const std::string& conninfo) {
    plataforma::FalhaDeCarga falha;
    static const plataforma::AlcaBiblioteca libpq =
        plataforma::carregarBiblioteca(LIBPQ_DO_SISTEMA, falha);
    if (libpq == nullptr)
        throw std::runtime_error(falha.texto);
    const auto analisar = reinterpret_cast<OpcaoConninfo* (*)(const char*, char**)>(
        plataforma::funcaoDaBiblioteca(libpq, "PQconninfoParse"));
    const auto liberar = reinterpret_cast<void (*)(OpcaoConninfo*)>(
        plataforma::funcaoDaBiblioteca(libpq, "PQconninfoFree"));
    char* mensagem = nullptr;
    OpcaoConninfo* opcoes = analisar(conninfo.c_str(), &mensagem);
    if (opcoes == nullptr)
        return {{"erro", mensagem != nullptr ? mensagem : "?"}};
    std::map<std::string, std::string> lido;
    for (OpcaoConninfo* opcao = opcoes; opcao->keyword != nullptr; ++opcao)
        if (opcao->val != nullptr)
            lido[opcao->keyword] = opcao->val;
    liberar(opcoes);
    return lido;
}

} // namespace

TEST(StringConexao, LibpqLeCadaValorInteiroSemPalavraAMais) {
    const std::string valores[] = {
        "simples",   "a b",         "a\tb",      "x\thost=outro", "x host=outro port=1",
        "x\nport=1", "x\r\nport=1", "x\vport=1", "x\fport=1",     "d'agua",
        "'",         "''",          "\\",        "c:\\pasta\\",   "\\' host=outro",
        "a\\'b c",   "=",           "a='b c'",   "ção e ü",       "'host=outro'",
    };
    for (const std::string& valor : valores) {
        SCOPED_TRACE(valor);
        const std::map<std::string, std::string> esperado = {
            {"dbname", valor}, {"user", valor}, {"password", valor}, {"connect_timeout", "30"}};
        EXPECT_EQ(lidoPelaLibpq(montarStringConexao(parametrosCom("", "", valor, valor, valor))),
                  esperado);
    }
}

namespace {

// A double-byte code page in which "表" is 0x95 0x5C: its second byte is a backslash.
std::string comoPaginaDeByteDuplo(const std::string& utf8) {
    std::string resultado;
    for (std::size_t posicao = 0; posicao < utf8.size();) {
        if (utf8.compare(posicao, 3, "表") == 0) {
            resultado += "\x95\x5c";
            posicao += 3;
        } else {
            resultado += utf8[posicao++];
        }
    }
    return resultado;
}

} // namespace

TEST(StringConexao, ByteConvertidoIgualABarraInvertidaNaoEscapaDasAspas) {
    const std::string codificado = "\x95\x5c \x95\x5c";
    const std::map<std::string, std::string> esperado = {{"dbname", codificado},
                                                         {"user", codificado},
                                                         {"password", codificado},
                                                         {"connect_timeout", "30"}};
    EXPECT_EQ(lidoPelaLibpq(montarStringConexao(parametrosCom("", "", "表 表", "表 表", "表 表"),
                                                comoPaginaDeByteDuplo)),
              esperado);
}
