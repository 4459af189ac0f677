#pragma once

#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

// Errors of the database layer. Each message starts with the layer's tag and the names of the
// layers the error passed through, each in square brackets.
class ErroBanco : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The client library could not be loaded from `caminho` (code 314). `outraArquitetura` names
// the architecture of a library file built for another one than the program; `textoDoSistema`
// is the system's explanation of the failed load.
ErroBanco erroCargaBiblioteca(const std::string& caminho,
                              const std::optional<std::string>& outraArquitetura,
                              const std::string& textoDoSistema);

// The client library lacks the named entry points (code 315).
ErroBanco erroPontosDeEntrada(const std::vector<std::string>& ausentes);

// The connection attempt failed with the client library's message `textoLibpq`.
ErroBanco erroTentativa(const std::string& textoLibpq);
