#pragma once

#include <string>

namespace plataforma {

// Gives an environment variable of this process a value while the object lives, unless the
// environment already holds one of that name (a value set by whoever started the process wins).
// A value it gave is removed again when it goes, so that processes started afterwards do not
// inherit it. Names and values are ASCII.
class VariavelDeAmbienteProvisoria {
public:
    VariavelDeAmbienteProvisoria(std::string nome, const std::string& valor);
    ~VariavelDeAmbienteProvisoria();
    VariavelDeAmbienteProvisoria(const VariavelDeAmbienteProvisoria&) = delete;
    VariavelDeAmbienteProvisoria& operator=(const VariavelDeAmbienteProvisoria&) = delete;

private:
    std::string fNome;
    bool fDefinida = false;
};

} // namespace plataforma
