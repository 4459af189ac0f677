#pragma once

namespace plataforma {

// How the process that started this program asked for its main window to be shown.
enum class EstadoDeExibicao {
    normal,
    maximizado,
    minimizado, // minimised, without taking the focus
};

// The show state requested at start; normal where the system passes no such request.
EstadoDeExibicao estadoDeExibicaoSolicitado();

} // namespace plataforma
