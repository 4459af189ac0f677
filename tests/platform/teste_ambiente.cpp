#include "platform/ambiente.h"
#include "platform/interpretador.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <optional>
#include <string>
#include <thread>

#ifdef _WIN32
#include <windows.h>
#endif

namespace {

// The variable as the C runtime gives it and, on Windows, as the process environment that child
// processes inherit holds it; the test fails when the two disagree.
std::optional<std::string> valor(const char* nome) {
    const char* crt = std::getenv(nome);
    std::optional<std::string> lido = crt ? std::optional<std::string>(crt) : std::nullopt;
#ifdef _WIN32
    char processo[64] = {};
    const DWORD tamanho = GetEnvironmentVariableA(nome, processo, sizeof processo);
    EXPECT_EQ(tamanho == 0 ? std::nullopt : std::optional<std::string>(processo), lido);
#endif
    return lido;
}

void definirComoOSite(const char* nome, const char* texto) {
#ifdef _WIN32
    _putenv_s(nome, texto);
#else
    setenv(nome, texto, 1);
#endif
}

// What a process started by the program sees of the variable: its value, or "ausente".
std::string valorNoFilho(const std::string& nome) {
#ifdef _WIN32
    // cmd.exe leaves a reference to an undefined variable as it is written.
    const std::string indefinida = "%" + nome + "%";
    auto interpretador = plataforma::iniciarInterpretadorOculto("/c echo " + indefinida + " 1>&2");
#else
    const std::string indefinida = "ausente";
    auto interpretador = plataforma::iniciarInterpretadorOculto("/c printf %s \"${" + nome + "-" +
                                                                indefinida + "}\" >&2");
#endif
    const auto limite = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (!interpretador->atender() && std::chrono::steady_clock::now() < limite)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    std::string texto = interpretador->finalDosErros().texto();
    while (!texto.empty() && (texto.back() == '\n' || texto.back() == '\r' || texto.back() == ' '))
        texto.pop_back();
    return texto == indefinida ? "ausente" : texto;
}

} // namespace

// The program's own value: in its environment, for the libraries it loads, and not in the
// environment of the processes it starts, which still get every other variable.
TEST(VariavelPropria, DoProgramaSemPassarAosProcessosQueEleInicia) {
    const char* nome = "LANCADOR_TESTE_PROPRIA";
    ASSERT_EQ(valor(nome), std::nullopt);
    definirComoOSite("LANCADOR_TESTE_DO_SITE", "herdada");
    plataforma::definirVariavelPropria(nome, "RelLicensaCliente");
    EXPECT_EQ(valor(nome), "RelLicensaCliente");
    EXPECT_TRUE(plataforma::variavelPropria(std::string(nome) + "=RelLicensaCliente"));
    EXPECT_FALSE(plataforma::variavelPropria("LANCADOR_TESTE_DO_SITE=herdada"));
    EXPECT_EQ(valorNoFilho(nome), "ausente");
    EXPECT_EQ(valorNoFilho("LANCADOR_TESTE_DO_SITE"), "herdada");
}

// A value set by whoever started the program wins, and the processes it starts inherit it.
TEST(VariavelPropria, OValorQueJaHaviaPrevaleceEPassaAdiante) {
    const char* nome = "LANCADOR_TESTE_JA_HAVIA";
    definirComoOSite(nome, "do site");
    plataforma::definirVariavelPropria(nome, "RelLicensaCliente");
    EXPECT_EQ(valor(nome), "do site");
    EXPECT_FALSE(plataforma::variavelPropria(std::string(nome) + "=do site"));
    EXPECT_EQ(valorNoFilho(nome), "do site");
}
