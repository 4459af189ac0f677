#include "platform/ano_de_dois_digitos.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>

TEST(AnoDeDoisDigitos, OsCemAnosQueTerminamNoUltimo) {
    struct Caso {
        int anoCurto, ultimoAno, esperado;
    };
    const Caso casos[] = {
        {25, 2068, 2025}, {68, 2068, 2068}, {69, 2068, 1969}, {0, 2068, 2000},  {99, 2068, 1999},
        {49, 2049, 2049}, {50, 2049, 1950}, {29, 2029, 2029}, {30, 2029, 1930}, {0, 2099, 2000},
        {99, 2099, 2099}, {0, 2100, 2100},  {1, 2100, 2001},
    };
    for (const Caso& caso : casos)
        EXPECT_EQ(plataforma::anoDeQuatroDigitos(caso.anoCurto, caso.ultimoAno), caso.esperado)
            << caso.anoCurto << " up to " << caso.ultimoAno;
}

TEST(AnoDeDoisDigitos, ARegraDoSistema) {
#ifdef _WIN32
    // The user's calendar setting: a hundred years that hold the present.
    const int ultimo = plataforma::ultimoAnoDeDoisDigitos();
    EXPECT_GE(ultimo, 2026);
    EXPECT_LE(ultimo, 9999);
#else
    // strptime's %y, the rule of the C library on this system.
    for (const char* texto : {"00", "25", "68", "69", "99"}) {
        tm partes{};
        ASSERT_NE(strptime(texto, "%y", &partes), nullptr);
        EXPECT_EQ(
            plataforma::anoDeQuatroDigitos(std::atoi(texto), plataforma::ultimoAnoDeDoisDigitos()),
            partes.tm_year + 1900)
            << texto;
    }
#endif
}
