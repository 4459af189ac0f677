#include "data/StringConexao.h"

#include "report/pcnConversao.h"

#include <algorithm>
#include <cctype>
#include <sstream>

namespace {

// libpq ends an unquoted value at any character for which isspace() holds in the process's
// locale; the six of the C locale are checked as well in case libpq runs under another one.
bool libpqVeEspaco(char c) {
    const auto byte = static_cast<unsigned char>(c);
    return byte == ' ' || (byte >= '\t' && byte <= '\r') || std::isspace(byte) != 0;
}

// Appends the items, each keyword "=" and its value.
class Itens {
public:
    explicit Itens(CodificacaoDeTexto codificar) : fCodificar(codificar) {}

    void acrescentar(const std::string& palavra, const std::string& valor) {
        if (!fTexto.empty())
            fTexto += ' ';
        fTexto += palavra + "=" + valorDaStringConexao(fCodificar ? fCodificar(valor) : valor);
    }

    const std::string& texto() const { return fTexto; }

private:
    CodificacaoDeTexto fCodificar;
    std::string fTexto;
};

} // namespace

std::string valorDaStringConexao(const std::string& valor) {
    std::string escapado;
    for (const char c : valor) {
        if (c == '\\' || c == '\'')
            escapado += '\\';
        escapado += c;
    }
    if (std::ranges::any_of(escapado, libpqVeEspaco))
        return "'" + escapado + "'";
    return escapado;
}

bool ehEnderecoIPv4(const std::string& servidor) {
    std::istringstream partes(servidor);
    int numericas = 0;
    for (std::string parte; std::getline(partes, parte, '.');) {
        if (parte.empty())
            continue;
        const std::optional<std::int32_t> numero = TentarTextoParaInteiro(parte);
        if (!numero || *numero > 255)
            break;
        ++numericas;
    }
    return numericas == 4;
}

std::string montarStringConexao(const TParametrosConexao& parametros,
                                CodificacaoDeTexto codificar) {
    Itens itens(codificar);
    if (const std::string servidor = parametros.valor("Server"); !servidor.empty())
        itens.acrescentar(ehEnderecoIPv4(servidor) ? "hostaddr" : "host", servidor);
    if (const std::string porta = parametros.valor("Port"); !porta.empty())
        itens.acrescentar("port", std::to_string(TentarTextoParaInteiro(porta).value_or(0)));
    const std::string banco = parametros.valor("Database");
    itens.acrescentar("dbname", banco.empty() ? "postgres" : banco);
    if (const std::string usuario = parametros.valor("User_Name"); !usuario.empty())
        itens.acrescentar("user", usuario);
    if (const std::string senha = parametros.valor("Password"); !senha.empty())
        itens.acrescentar("password", senha);
    // libpq waits without limit for a server that accepts the connection and never answers, and
    // the window cannot open before the attempt ends: no working server comes near this bound.
    itens.acrescentar("connect_timeout", std::to_string(segundosParaConectar));
    return itens.texto();
}
