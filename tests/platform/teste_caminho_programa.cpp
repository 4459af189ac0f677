#include "platform/caminho_programa.h"

#include <gtest/gtest.h>

#include <filesystem>

TEST(CaminhoDoPrograma, EOArquivoDoProprioProcesso) {
    const std::filesystem::path caminho = plataforma::caminhoDoPrograma();
    EXPECT_TRUE(caminho.is_absolute());
    EXPECT_EQ(caminho.filename(), "teste_plataforma");
    EXPECT_TRUE(std::filesystem::is_regular_file(caminho));
}
