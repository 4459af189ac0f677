#include "app/LinhaDeComando.h"
#include "platform/linha_de_comando.h"

#include "tests/app/apoio.h"

#include <gtest/gtest.h>

TEST(LinhaDeComandoDoProcesso, DevolveOsArgumentosDesteProcesso) {
    const std::string linha = plataforma::linhaDeComandoDoProcesso();
    const std::vector<std::string>& vetor = argumentosDoProcessoDeTeste();
    ASSERT_FALSE(vetor.empty());
    EXPECT_EQ(linha.rfind('"' + vetor.front() + '"', 0), 0u) << linha;

    ArgumentosDaLinhaDeComando argumentos;
    for (std::size_t i = 1; i < vetor.size() && i <= argumentos.size(); ++i)
        argumentos[i - 1] = vetor[i];
    EXPECT_EQ(separarArgumentos(linha), argumentos);
}
