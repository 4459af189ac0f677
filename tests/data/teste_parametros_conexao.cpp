#include "data/ParametrosConexao.h"

#include <gtest/gtest.h>

TEST(ParametrosConexao, NomesSemDiferencaDeCaixaEValorAposOPrimeiroIgual) {
    const TParametrosConexao parametros({"DriverID=PG", "Server=srv", "Password=a=b=c"});
    EXPECT_EQ(parametros.valor("server"), "srv");
    EXPECT_EQ(parametros.valor("SERVER"), "srv");
    EXPECT_EQ(parametros.valor("driverid"), "PG");
    EXPECT_EQ(parametros.valor("password"), "a=b=c");
    EXPECT_EQ(parametros.valor("Serve"), "");
    EXPECT_EQ(parametros.valor("Port"), "");
}

TEST(ParametrosConexao, ValorLidoSemCaracteresDeControleNasPontasEBrancoContaComoAusente) {
    const TParametrosConexao parametros(
        {"Server= \t srv dados\r\n", "Port=\x01 5432\x1f", "Database=   ", "User_Name=", "Senha"});
    EXPECT_EQ(parametros.valor("Server"), "srv dados");
    EXPECT_EQ(parametros.valor("Port"), "5432");
    EXPECT_FALSE(parametros.temValor("Database"));
    EXPECT_FALSE(parametros.temValor("User_Name"));
    EXPECT_FALSE(parametros.temValor("Senha"));
    EXPECT_TRUE(parametros.temValor("Server"));
}

TEST(ParametrosConexao, DefinirSubstituiNoLugarAcrescentaNoFimERemoveComValorVazio) {
    TParametrosConexao parametros({"DriverID=PG", "Server=antigo", "User_Name=projeto", "X=1"});
    parametros.definir("server", "novo");
    parametros.definir("port", "5433");
    parametros.definir("user_name", "");
    parametros.definir("database", "");
    parametros.definir("password", "   ");
    const std::vector<std::string> esperado = {"DriverID=PG", "server=novo", "X=1", "port=5433",
                                               "password=   "};
    EXPECT_EQ(parametros.linhas(), esperado);
    EXPECT_FALSE(parametros.temValor("Password"));
}
