#include "report/pcnConversao.h"

#include <gtest/gtest.h>

namespace {

struct CasoAceito {
    const char* texto;
    std::int32_t valor;
};

TEST(TextoParaInteiro, AceitaAsFormasDecimalEHexadecimal) {
    const CasoAceito casos[] = {
        {"0", 0},
        {"12", 12},
        {"+12", 12},
        {"-12", -12},
        {"0007", 7},
        {"-0", 0},
        {"  42", 42},
        {"2147483647", 2147483647},
        {"-2147483648", INT32_MIN},
        {"$1F", 31},
        {"$1f", 31},
        {"x1F", 31},
        {"X1F", 31},
        {"0x1F", 31},
        {"0X1f", 31},
        {"-0x10", -16},
        {"+$10", 16},
        {"$FFFFFFFF", -1},
        {"$80000000", INT32_MIN},
        {"-$80000000", INT32_MIN},
        {"$000000000001", 1},
        {"$7FFFFFFF", 2147483647},
        {"1538", 1538},
        {"$1538", 5432},
    };
    for (const auto& caso : casos) {
        SCOPED_TRACE(caso.texto);
        EXPECT_EQ(TextoParaInteiro(caso.texto), caso.valor);
    }
}

TEST(TextoParaInteiro, RecusaOQueNaoEInteiroComAMensagemDoTexto) {
    const char* casos[] = {
        "",     " ",     "+",          "-",           "$",           "0x",         "x",
        "12a",  "12 ",   "1 2",        "- 1",         "+-1",         "--1",        "\t1",
        "1.0",  "1e3",   "2147483648", "-2147483649", "99999999999", "$100000000", "$G",
        "0x-1", "00x10", "abc",        "１２",
    };
    for (const char* texto : casos) {
        SCOPED_TRACE(texto);
        EXPECT_FALSE(TentarTextoParaInteiro(texto).has_value());
        try {
            TextoParaInteiro(texto);
            ADD_FAILURE() << "converted";
        } catch (const ErroConversao& erro) {
            EXPECT_EQ(erro.what(), std::string("'") + texto + "' is not a valid integer value");
        }
    }
}

TEST(EnumeradoToStr, UltimaCoincidenciaVenceENadaDaVazio) {
    const std::vector<std::string> nomes{"VIS", "PDF", "XLS", "HTML"};
    EXPECT_EQ(EnumeradoToStr(0, nomes, {0, 1, 2, 3}), "VIS");
    EXPECT_EQ(EnumeradoToStr(3, nomes, {0, 1, 2, 3}), "HTML");
    EXPECT_EQ(EnumeradoToStr(4, nomes, {0, 1, 2, 3}), "");
    EXPECT_EQ(EnumeradoToStr(1, nomes, {1, 1, 2, 3}), "PDF");
    EXPECT_EQ(EnumeradoToStr(1, {}, {}), "");
}

TEST(EnumeradoToStr, CoincidenciaForaDaListaDeTextosEErroDeIntervalo) {
    // A match past the end of the texts fails even after an earlier match.
    EXPECT_THROW(EnumeradoToStr(2, {"A", "B"}, {0, 1, 2}), ErroIntervalo);
    EXPECT_THROW(EnumeradoToStr(0, {"A"}, {0, 0}), ErroIntervalo);
    try {
        EnumeradoToStr(5, {}, {5});
        ADD_FAILURE() << "no error";
    } catch (const ErroIntervalo& erro) {
        EXPECT_STREQ(erro.what(), "Range check error");
    }
    // No match past the end: no error.
    EXPECT_EQ(EnumeradoToStr(0, {"A"}, {0, 9}), "A");
}

} // namespace
