#include "platform/ambiente.h"

#include <cstdlib>
#include <utility>

namespace plataforma {

// Through the C runtime, which libraries loaded later (libpq) read the environment from; it also
// sets the process's own environment, which child processes inherit.
VariavelDeAmbienteProvisoria::VariavelDeAmbienteProvisoria(std::string nome,
                                                           const std::string& valor)
    : fNome(std::move(nome)) {
    if (std::getenv(fNome.c_str()) == nullptr)
        fDefinida = _putenv_s(fNome.c_str(), valor.c_str()) == 0;
}

VariavelDeAmbienteProvisoria::~VariavelDeAmbienteProvisoria() {
    if (fDefinida)
        _putenv_s(fNome.c_str(), ""); // an empty value removes the variable
}

} // namespace plataforma
