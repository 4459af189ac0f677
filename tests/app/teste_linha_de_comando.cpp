#include "app/LinhaDeComando.h"
#include "platform/linha_de_comando.h"

#include "tests/app/apoio.h"

#include <gtest/gtest.h>

// This test program's own command line, as the system hands it over: on POSIX the argument
// vector itself, taken as it is.
TEST(LinhaDeComandoDoProcesso, DevolveOsArgumentosDesteProcesso) {
    const plataforma::LinhaDeComando linha = plataforma::linhaDeComandoDoProcesso();
    EXPECT_FALSE(linha.bruta.has_value());
    EXPECT_EQ(linha.vetor, argumentosDoProcessoDeTeste());
    EXPECT_EQ(argumentosDoProcesso(), argumentosDoVetor(argumentosDoProcessoDeTeste()));
}

// The process's argument area as ps and /proc/PID/cmdline show it: a stretch of it masked, and
// nothing written for a stretch past its end.
TEST(LinhaDeComandoDoProcesso, MascaraUmTrechoDaAreaDeArgumentos) {
    const std::vector<std::string> antes = plataforma::linhaDeComandoDoProcesso().vetor;
    ASSERT_GE(antes.size(), 2u);
    std::size_t tamanho = 0;
    for (const std::string& item : antes)
        tamanho += item.size() + 1;
    plataforma::mascararNaLinhaDeComando(0, tamanho + 1);
    EXPECT_EQ(plataforma::linhaDeComandoDoProcesso().vetor, antes);

    const std::size_t inicio = antes[0].size() + 1;
    plataforma::mascararNaLinhaDeComando(inicio, inicio + antes[1].size());
    std::vector<std::string> esperado = antes;
    esperado[1] = std::string(antes[1].size(), '*');
    EXPECT_EQ(plataforma::linhaDeComandoDoProcesso().vetor, esperado);
}
