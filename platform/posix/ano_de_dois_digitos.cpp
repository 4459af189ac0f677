#include "platform/ano_de_dois_digitos.h"

namespace plataforma {

int ultimoAnoDeDoisDigitos() {
    return 2068;
}

} // namespace plataforma
