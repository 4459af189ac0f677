// Mensagem called where no window can be created: the error reaches the caller, nothing is left
// behind. (No QApplication exists in this test program.)
#include "messages/UnFuncao.h"
#include "messages/UnMens.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

TEST(Mensagem, SemAplicacaoDeJanelasFalhaSemCriarJanela) {
    try {
        Mensagem("Texto", Advertencia);
        ADD_FAILURE() << "no error";
    } catch (const std::logic_error& erro) {
        EXPECT_STREQ(erro.what(), "Mensagem: não há aplicação de janelas em execução");
    }
    EXPECT_EQ(FormMens, nullptr);
}

} // namespace
