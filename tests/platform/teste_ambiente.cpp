#include "platform/ambiente.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>

#ifdef _WIN32
#include <windows.h>
#endif

namespace {

constexpr const char* nome = "LANCADOR_TESTE_AMBIENTE";

// The variable as the C runtime gives it and, on Windows, as the process environment that child
// processes inherit holds it; the test fails when the two disagree.
std::optional<std::string> valor() {
    const char* crt = std::getenv(nome);
    std::optional<std::string> lido = crt ? std::optional<std::string>(crt) : std::nullopt;
#ifdef _WIN32
    char processo[64] = {};
    const DWORD tamanho = GetEnvironmentVariableA(nome, processo, sizeof processo);
    EXPECT_EQ(tamanho == 0 ? std::nullopt : std::optional<std::string>(processo), lido);
#endif
    return lido;
}

void definir(const char* texto) {
#ifdef _WIN32
    _putenv_s(nome, texto);
#else
    setenv(nome, texto, 1);
#endif
}

void remover() {
#ifdef _WIN32
    _putenv_s(nome, "");
#else
    unsetenv(nome);
#endif
}

} // namespace

TEST(VariavelDeAmbienteProvisoria, DefinidaEnquantoViveERemovidaDepois) {
    ASSERT_EQ(valor(), std::nullopt);
    {
        const plataforma::VariavelDeAmbienteProvisoria variavel(nome, "RelLicensaCliente");
        EXPECT_EQ(valor(), "RelLicensaCliente");
    }
    EXPECT_EQ(valor(), std::nullopt);
}

TEST(VariavelDeAmbienteProvisoria, OValorQueJaHaviaPrevalece) {
    definir("do site");
    {
        const plataforma::VariavelDeAmbienteProvisoria variavel(nome, "RelLicensaCliente");
        EXPECT_EQ(valor(), "do site");
    }
    EXPECT_EQ(valor(), "do site");
    remover();
}
