#include "platform/caixa_de_erro.h"

namespace plataforma {

bool mostrarCaixaDeErroDoSistema(const std::string&, const std::string&) {
    return false;
}

} // namespace plataforma
