#include "platform/ano_de_dois_digitos.h"

#include <windows.h>

namespace plataforma {

namespace {

// What Windows uses when the user never changed the setting.
constexpr int ultimoAnoPadrao = 2049;

} // namespace

int ultimoAnoDaResposta(int resultado, unsigned long numero) {
    if (resultado == 0 || numero < 99 || numero > 9999)
        return ultimoAnoPadrao;
    return static_cast<int>(numero);
}

int ultimoAnoDeDoisDigitos() {
    DWORD ultimo = 0;
    const int resultado =
        GetCalendarInfoEx(LOCALE_NAME_USER_DEFAULT, CAL_GREGORIAN, nullptr,
                          CAL_ITWODIGITYEARMAX | CAL_RETURN_NUMBER, nullptr, 0, &ultimo);
    return ultimoAnoDaResposta(resultado, ultimo);
}

} // namespace plataforma
