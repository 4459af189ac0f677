#include "platform/ambiente.h"

#include <cstdlib>

namespace plataforma::ambiente {

bool definir(const std::string& nome, const std::string& valor) {
    return setenv(nome.c_str(), valor.c_str(), 0) == 0;
}

bool mesmoNome(std::string_view um, std::string_view outro) {
    return um == outro;
}

} // namespace plataforma::ambiente
