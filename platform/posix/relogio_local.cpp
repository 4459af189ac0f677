#include "platform/relogio_local.h"

#include <cerrno>
#include <ctime>
#include <system_error>

namespace plataforma {

DataHoraLocal relogioLocal() {
    timespec agora{};
    if (clock_gettime(CLOCK_REALTIME, &agora) != 0)
        throw std::system_error(errno, std::generic_category(), "clock_gettime");
    tm partes{};
    if (localtime_r(&agora.tv_sec, &partes) == nullptr)
        throw std::system_error(errno, std::generic_category(), "localtime_r");
    return DataHoraLocal{partes.tm_year + 1900,
                         partes.tm_mon + 1,
                         partes.tm_mday,
                         partes.tm_hour,
                         partes.tm_min,
                         partes.tm_sec,
                         static_cast<int>(agora.tv_nsec / 1000000)};
}

} // namespace plataforma
