// The parameter list of the connection under any sequence of writes and reads, against a model
// that keeps name and value apart.

#include "data/ParametrosConexao.h"
#include "fuzz/verificar.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <array>
#include <cctype>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace {

// One line of the model: the text before the first "=" (all of it when there is none) and the
// value after it, if any.
struct Linha {
    std::string nome;
    std::optional<std::string> valor;

    static Linha de(const std::string& texto) {
        const auto igual = texto.find('=');
        if (igual == std::string::npos)
            return {texto, std::nullopt};
        return {texto.substr(0, igual), texto.substr(igual + 1)};
    }
    std::string texto() const { return valor ? nome + "=" + *valor : nome; }
};

bool mesmoNomeSemCaixa(const std::string& a, const std::string& b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        const auto ca = static_cast<unsigned char>(a[i]);
        const auto cb = static_cast<unsigned char>(b[i]);
        // Only ASCII letters change case; the C locale's tolower touches nothing else.
        if (std::tolower(ca) != std::tolower(cb))
            return false;
    }
    return true;
}

class Modelo {
public:
    explicit Modelo(const std::vector<std::string>& linhas) {
        for (const std::string& linha : linhas)
            fLinhas.push_back(Linha::de(linha));
    }

    std::string valor(const std::string& nome) const {
        const Linha* linha = procurar(nome);
        if (linha == nullptr || !linha->valor)
            return {};
        std::string texto = *linha->valor;
        while (!texto.empty() && static_cast<unsigned char>(texto.back()) <= 32)
            texto.pop_back();
        std::size_t inicio = 0;
        while (inicio < texto.size() && static_cast<unsigned char>(texto[inicio]) <= 32)
            ++inicio;
        return texto.substr(inicio);
    }

    void definir(const std::string& nome, const std::string& valor) {
        Linha* linha = procurar(nome);
        if (valor.empty()) {
            if (linha != nullptr)
                fLinhas.erase(fLinhas.begin() + (linha - fLinhas.data()));
        } else if (linha != nullptr) {
            *linha = Linha::de(nome + "=" + valor);
        } else {
            fLinhas.push_back(Linha::de(nome + "=" + valor));
        }
    }

    std::vector<std::string> linhas() const {
        std::vector<std::string> textos;
        for (const Linha& linha : fLinhas)
            textos.push_back(linha.texto());
        return textos;
    }

private:
    const Linha* procurar(const std::string& nome) const {
        for (const Linha& linha : fLinhas)
            if (mesmoNomeSemCaixa(linha.nome, nome))
                return &linha;
        return nullptr;
    }
    Linha* procurar(const std::string& nome) {
        return const_cast<Linha*>(std::as_const(*this).procurar(nome));
    }

    std::vector<Linha> fLinhas;
};

// Names that collide with each other and with the list's own lines most of the time.
std::string nomeQualquer(FuzzedDataProvider& entrada) {
    static const std::array nomes{"Server",    "server",    "SERVER",   "Port",     "port",
                                  "User_Name", "user_name", "Password", "password", "Database",
                                  "database",  "DriverID",  "",         "a=b",      "Server "};
    if (entrada.ConsumeBool())
        return entrada.ConsumeRandomLengthString(12);
    return nomes[entrada.ConsumeIntegralInRange<std::size_t>(0, nomes.size() - 1)];
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* dados, std::size_t tamanho) {
    FuzzedDataProvider entrada(dados, tamanho);
    std::vector<std::string> iniciais;
    for (int quantas = entrada.ConsumeIntegralInRange(0, 4); quantas > 0; --quantas)
        iniciais.push_back(entrada.ConsumeRandomLengthString(24));

    TParametrosConexao parametros(iniciais);
    Modelo modelo(iniciais);
    while (entrada.remaining_bytes() > 0) {
        const std::string nome = nomeQualquer(entrada);
        if (entrada.ConsumeBool()) {
            const std::string valor = entrada.ConsumeRandomLengthString(24);
            parametros.definir(nome, valor);
            modelo.definir(nome, valor);
            VERIFICAR(parametros.linhas() == modelo.linhas());
        } else {
            const std::string valor = parametros.valor(nome);
            VERIFICAR(valor == modelo.valor(nome));
            VERIFICAR(parametros.temValor(nome) == !valor.empty());
        }
    }
    VERIFICAR(parametros.linhas() == modelo.linhas());
    return 0;
}
