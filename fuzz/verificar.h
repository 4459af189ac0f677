#pragma once

#include <cstdio>
#include <cstdlib>

// Stops the run with a message when a property of a fuzz target does not hold; libFuzzer then
// keeps the input that broke it.
#define VERIFICAR(condicao)                                                                        \
    do {                                                                                           \
        if (!(condicao)) {                                                                         \
            std::fprintf(stderr, "%s:%d: falhou: %s\n", __FILE__, __LINE__, #condicao);            \
            std::abort();                                                                          \
        }                                                                                          \
    } while (false)
