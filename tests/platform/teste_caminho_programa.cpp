#include "platform/caminho_programa.h"

#include <gtest/gtest.h>

#include <filesystem>

TEST(CaminhoDoPrograma, EOArquivoDoProprioProcesso) {
    const std::filesystem::path caminho = plataforma::caminhoDoPrograma();
    EXPECT_TRUE(caminho.is_absolute());
    EXPECT_EQ(caminho.stem(), "teste_plataforma"); // teste_plataforma.exe on Windows
    EXPECT_TRUE(std::filesystem::is_regular_file(caminho));
}
