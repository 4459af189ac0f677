#include "platform/ambiente.h"

#include <cstdlib>
#include <utility>

namespace plataforma {

VariavelDeAmbienteProvisoria::VariavelDeAmbienteProvisoria(std::string nome,
                                                           const std::string& valor)
    : fNome(std::move(nome)) {
    if (std::getenv(fNome.c_str()) == nullptr)
        fDefinida = setenv(fNome.c_str(), valor.c_str(), 0) == 0;
}

VariavelDeAmbienteProvisoria::~VariavelDeAmbienteProvisoria() {
    if (fDefinida)
        unsetenv(fNome.c_str());
}

} // namespace plataforma
