#pragma once

// Follows a started interpreter to its end the way the program's event loop does, with poll on
// what it offers to wait on, for tests and benchmarks without an event loop (POSIX).

#include "platform/interpretador.h"

#include <poll.h>

#include <chrono>

// True once the interpreter has ended, false when `prazo` passes first.
inline bool seguirAteOFim(plataforma::InterpretadorIniciado& interpretador,
                          std::chrono::milliseconds prazo = std::chrono::seconds(10)) {
    const auto limite = std::chrono::steady_clock::now() + prazo;
    while (!interpretador.atender()) {
        const auto restante = std::chrono::duration_cast<std::chrono::milliseconds>(
            limite - std::chrono::steady_clock::now());
        if (restante.count() <= 0)
            return false;
        pollfd aguardados[2] = {{interpretador.fim(), POLLIN, 0}, {-1, POLLIN, 0}};
        if (interpretador.lendoErros())
            aguardados[1].fd = interpretador.erros();
        poll(aguardados, 2, static_cast<int>(restante.count()));
    }
    return true;
}
