#include "platform/ano_de_dois_digitos.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>

#ifdef _WIN32
#include <windows.h>

#include <string>
#endif

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

#ifdef _WIN32
namespace {

// The user's choice in Region settings (Additional settings, Date: "When a two-digit year is
// entered, interpret it as a year between"), where Windows keeps it: the Gregorian calendar's
// value. Set for the test and put back as it was afterwards.
class LimiteDoUsuario {
public:
    LimiteDoUsuario() {
        wchar_t valor[16] = {};
        DWORD tamanho = sizeof valor;
        fHavia = RegGetValueW(HKEY_CURRENT_USER, chave, L"1", RRF_RT_REG_SZ, nullptr, valor,
                              &tamanho) == ERROR_SUCCESS;
        fAnterior = valor;
    }
    ~LimiteDoUsuario() {
        if (fHavia)
            gravar(fAnterior);
        else
            RegDeleteKeyValueW(HKEY_CURRENT_USER, chave, L"1");
    }
    void definir(int ano) { ASSERT_TRUE(gravar(std::to_wstring(ano))); }

private:
    static constexpr const wchar_t* chave =
        L"Control Panel\\International\\Calendars\\TwoDigitYearMax";
    static bool gravar(const std::wstring& valor) {
        return RegSetKeyValueW(HKEY_CURRENT_USER, chave, L"1", REG_SZ, valor.c_str(),
                               static_cast<DWORD>((valor.size() + 1) * sizeof(wchar_t))) ==
               ERROR_SUCCESS;
    }
    bool fHavia = false;
    std::wstring fAnterior;
};

bool sobWine() {
    return GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr;
}

} // namespace

// The user's setting is the rule: with 2029 as its limit, 30 is 1930 and 29 is 2029; another
// limit moves the hundred years with it. Wine (8.0) answers 2049 whatever the setting says, so
// there only the answer's range is checked, and the rule is checked on the answer itself below.
TEST(AnoDeDoisDigitos, ARegraDoSistema) {
    LimiteDoUsuario limite;
    for (const int ultimo : {2029, 2099}) {
        limite.definir(ultimo);
        if (sobWine()) {
            EXPECT_EQ(plataforma::ultimoAnoDeDoisDigitos(), 2049);
            continue;
        }
        ASSERT_EQ(plataforma::ultimoAnoDeDoisDigitos(), ultimo);
        EXPECT_EQ(plataforma::anoDeQuatroDigitos(30, ultimo), ultimo == 2029 ? 1930 : 2030);
        EXPECT_EQ(plataforma::anoDeQuatroDigitos(29, ultimo), 2029);
    }
}

// Windows' answer as the platform layer reads it: the number given, unless the call failed or the
// number is one the setting cannot hold.
TEST(AnoDeDoisDigitos, ARespostaDoWindows) {
    struct Caso {
        int resultado;
        unsigned long numero;
        int esperado;
    };
    const Caso casos[] = {{2, 2029, 2029}, {5, 2099, 2099}, {2, 99, 99},      {2, 9999, 9999},
                          {0, 2029, 2049}, {2, 98, 2049},   {2, 10000, 2049}, {0, 0, 2049}};
    for (const Caso& caso : casos)
        EXPECT_EQ(plataforma::ultimoAnoDaResposta(caso.resultado, caso.numero), caso.esperado)
            << caso.resultado << ", " << caso.numero;
    EXPECT_EQ(plataforma::anoDeQuatroDigitos(30, plataforma::ultimoAnoDaResposta(2, 2029)), 1930);
    EXPECT_EQ(plataforma::anoDeQuatroDigitos(29, plataforma::ultimoAnoDaResposta(2, 2029)), 2029);
}
#else
// strptime's %y, the rule of the C library on this system.
TEST(AnoDeDoisDigitos, ARegraDoSistema) {
    for (const char* texto : {"00", "25", "68", "69", "99"}) {
        tm partes{};
        ASSERT_NE(strptime(texto, "%y", &partes), nullptr);
        EXPECT_EQ(
            plataforma::anoDeQuatroDigitos(std::atoi(texto), plataforma::ultimoAnoDeDoisDigitos()),
            partes.tm_year + 1900)
            << texto;
    }
}
#endif
