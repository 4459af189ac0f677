#pragma once

#include <optional>
#include <string>
#include <vector>

namespace plataforma {

// What the system hands the running process as its command line (UTF-8):
// - Windows keeps the raw line as the parent wrote it (`bruta`: the program's path followed by
//   its arguments, with their quotes and blanks), which the program splits by its own rules;
// - POSIX keeps no such line: the parent hands over the argument vector (`vetor`, the program's
//   name first), whose items are the arguments exactly as given.
struct LinhaDeComando {
    std::optional<std::string> bruta;
    std::vector<std::string> vetor;
};

LinhaDeComando linhaDeComandoDoProcesso();

} // namespace plataforma
