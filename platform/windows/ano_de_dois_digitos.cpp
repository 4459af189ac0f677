#include "platform/ano_de_dois_digitos.h"

#include <windows.h>

namespace plataforma {

namespace {

// What Windows uses when the user never changed the setting.
constexpr int ultimoAnoPadrao = 2049;

} // namespace

int ultimoAnoDeDoisDigitos() {
    DWORD ultimo = 0;
    const int lido =
        GetCalendarInfoEx(LOCALE_NAME_USER_DEFAULT, CAL_GREGORIAN, nullptr,
                          CAL_ITWODIGITYEARMAX | CAL_RETURN_NUMBER, nullptr, 0, &ultimo);
    // A value outside the range the setting allows would not be the user's choice.
    if (lido == 0 || ultimo < 99 || ultimo > 9999)
        return ultimoAnoPadrao;
    return static_cast<int>(ultimo);
}

} // namespace plataforma
