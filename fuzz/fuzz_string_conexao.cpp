// The connection string built from the five connection values of the command line: libpq's own
// parser must read back exactly the values that went in, under the intended keywords, and
// nothing else.

#include "data/ParametrosConexao.h"
#include "data/StringConexao.h"
#include "fuzz/modelo_inteiro.h"
#include "fuzz/verificar.h"

#include <fuzzer/FuzzedDataProvider.h>
#include <libpq-fe.h>

#include <algorithm>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace {

std::string aparado(const std::string& valor) {
    const auto espaco = [](char c) { return static_cast<unsigned char>(c) <= 32; };
    const auto inicio = std::ranges::find_if_not(valor, espaco);
    auto fim = valor.end();
    while (fim != inicio && espaco(*(fim - 1)))
        --fim;
    return std::string(inicio, fim);
}

bool enderecoIPv4DeReferencia(const std::string& servidor) {
    std::vector<std::string> partes(1);
    for (const char c : servidor) {
        if (c == '.')
            partes.emplace_back();
        else
            partes.back() += c;
    }
    std::erase(partes, std::string());
    std::size_t numericas = 0;
    while (numericas < partes.size()) {
        const auto numero = inteiroDeReferencia(partes[numericas]);
        if (!numero || *numero > 255)
            break;
        ++numericas;
    }
    return numericas == 4;
}

// A stand-in for the conversion to the system's code page that turns ordinary bytes into the
// ones that matter to libpq's parser (blanks, quotes, backslashes), so that escaping is shown to
// happen after the conversion. It never produces a NUL.
std::string codificacaoAgressiva(const std::string& texto) {
    std::string resultado;
    for (const char c : texto)
        resultado += c == ' ' ? '?' : static_cast<char>(c ^ 0x20);
    return resultado;
}

using Esperado = std::map<std::string, std::string>;

void verificarLeituraDaLibpq(const std::string& conninfo, const Esperado& esperado) {
    char* erro = nullptr;
    PQconninfoOption* opcoes = PQconninfoParse(conninfo.c_str(), &erro);
    if (opcoes == nullptr) {
        std::fprintf(stderr, "libpq não leu [%s]: %s\n", conninfo.c_str(), erro ? erro : "");
        PQfreemem(erro);
        VERIFICAR(opcoes != nullptr);
    }
    std::size_t encontradas = 0;
    for (const PQconninfoOption* opcao = opcoes; opcao->keyword != nullptr; ++opcao) {
        if (opcao->val == nullptr)
            continue;
        const auto item = esperado.find(opcao->keyword);
        if (item == esperado.end() || item->second != opcao->val)
            std::fprintf(stderr, "[%s]: %s=[%s]\n", conninfo.c_str(), opcao->keyword, opcao->val);
        VERIFICAR(item != esperado.end());
        VERIFICAR(item->second == opcao->val);
        ++encontradas;
    }
    VERIFICAR(encontradas == esperado.size());
    PQconninfoFree(opcoes);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* dados, std::size_t tamanho) {
    FuzzedDataProvider entrada(dados, tamanho);
    const bool codificar = entrada.ConsumeBool();
    // The values come from the command line, which cannot hold a NUL.
    std::string valores[5];
    for (std::string& valor : valores) {
        valor = entrada.ConsumeRandomLengthString(128);
        std::erase(valor, '\0');
    }
    const auto& [servidor, porta, usuario, senha, banco] = valores;

    VERIFICAR(ehEnderecoIPv4(servidor) == enderecoIPv4DeReferencia(servidor));

    // As the connection step writes them, over a list that still holds design-time values.
    TParametrosConexao parametros({"DriverID=PG", "User_Name=projeto", "Server=maquina-de-projeto",
                                   "Database=base_de_projeto", "Password=segredo-de-projeto"});
    parametros.definir("server", servidor);
    parametros.definir("port", porta);
    parametros.definir("user_name", usuario);
    parametros.definir("password", senha);
    parametros.definir("database", banco);

    const auto codificado = [&](const std::string& valor) {
        return codificar ? codificacaoAgressiva(valor) : valor;
    };
    Esperado esperado;
    if (const std::string valor = aparado(servidor); !valor.empty())
        esperado[enderecoIPv4DeReferencia(valor) ? "hostaddr" : "host"] = codificado(valor);
    if (const std::string valor = aparado(porta); !valor.empty())
        esperado["port"] = codificado(std::to_string(inteiroDeReferencia(valor).value_or(0)));
    const std::string nomeDoBanco = aparado(banco);
    esperado["dbname"] = codificado(nomeDoBanco.empty() ? "postgres" : nomeDoBanco);
    esperado["connect_timeout"] = codificado("30"); // the bound of the attempt, always there
    if (const std::string valor = aparado(usuario); !valor.empty())
        esperado["user"] = codificado(valor);
    if (const std::string valor = aparado(senha); !valor.empty())
        esperado["password"] = codificado(valor);

    const std::string conninfo =
        montarStringConexao(parametros, codificar ? codificacaoAgressiva : nullptr);
    verificarLeituraDaLibpq(conninfo, esperado);
    return 0;
}
