#include "platform/relogio_local.h"

#include <windows.h>

namespace plataforma {

DataHoraLocal relogioLocal() {
    SYSTEMTIME agora{};
    GetLocalTime(&agora);
    return DataHoraLocal{agora.wYear,   agora.wMonth,  agora.wDay,         agora.wHour,
                         agora.wMinute, agora.wSecond, agora.wMilliseconds};
}

} // namespace plataforma
