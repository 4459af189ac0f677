#include "platform/ambiente.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

namespace plataforma {

namespace {

std::vector<std::string>& nomesProprios() {
    static std::vector<std::string> nomes;
    return nomes;
}

} // namespace

void definirVariavelPropria(const std::string& nome, const std::string& valor) {
    if (std::getenv(nome.c_str()) == nullptr && ambiente::definir(nome, valor))
        nomesProprios().push_back(nome);
}

bool variavelPropria(std::string_view entrada) {
    const std::string_view nome = entrada.substr(0, entrada.find('='));
    return std::ranges::any_of(nomesProprios(), [nome](const std::string& proprio) {
        return ambiente::mesmoNome(proprio, nome);
    });
}

} // namespace plataforma
