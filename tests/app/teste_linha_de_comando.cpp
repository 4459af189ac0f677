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
