#pragma once

namespace plataforma {

// The last year that a two-digit year stands for on this system; the hundred years ending with
// it are the ones two digits can name. Windows takes it from the user's calendar settings (2049
// unless the user changed it); elsewhere it is the rule of strptime's %y, 00 to 68 for 2000 to
// 2068 and 69 to 99 for 1969 to 1999.
int ultimoAnoDeDoisDigitos();

#ifdef _WIN32
// How Windows' answer for the setting becomes the limit: what GetCalendarInfoEx returned (0 when
// it failed) and the number it gave. A failed call, or a number outside the range the setting
// allows (99 to 9999), gives Windows' default, 2049.
int ultimoAnoDaResposta(int resultado, unsigned long numero);
#endif

// The year, among the hundred ending with ultimoAno, whose last two digits are anoCurto (0 to 99).
constexpr int anoDeQuatroDigitos(int anoCurto, int ultimoAno) {
    const int ano = ultimoAno - ultimoAno % 100 + anoCurto;
    return ano > ultimoAno ? ano - 100 : ano;
}

} // namespace plataforma
