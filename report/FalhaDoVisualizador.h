#pragma once

// What the user is told of a viewer that did not open: the interpreter's exit code and the last
// lines that the viewer wrote to its error output, in its own words.

#include <cstddef>
#include <string>
#include <string_view>

// The most lines of the error output that a warning shows.
inline constexpr std::size_t linhasDosErrosMostradas = 20;

// The error output's last bytes as lines to show, UTF-8: taken as UTF-8 when they are valid
// UTF-8, otherwise as the system's ANSI code page (on Windows); what still makes no character,
// and control characters but the tab (four blanks), become U+FFFD. The last
// `linhasDosErrosMostradas` lines are kept, blank ones at the end dropped, joined by the system's
// line break. `cortado` says that the bytes begin in the middle of the output: their first,
// partial, line is then dropped (unless it is the only one) and "[…]" stands before the rest.
std::string ultimasLinhasDosErros(std::string_view bytes, bool cortado);

// The warning for an interpreter that ended with `codigoDeSaida`, having written `finalDosErros`
// last to its error output (`cortado` as above); empty for the exit code 0, whatever was written.
std::string avisoDeFalhaDoVisualizador(int codigoDeSaida, std::string_view finalDosErros,
                                       bool cortado);
