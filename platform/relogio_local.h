#pragma once

namespace plataforma {

// A moment of the local clock, split into its calendar and clock parts.
struct DataHoraLocal {
    int ano = 0;
    int mes = 0; // 1 to 12
    int dia = 0; // 1 to 31
    int hora = 0;
    int minuto = 0;
    int segundo = 0;
    int milissegundo = 0;
};

// The machine's current local date and time (its time zone and daylight saving applied).
DataHoraLocal relogioLocal();

} // namespace plataforma
