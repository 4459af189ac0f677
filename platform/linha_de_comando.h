#pragma once

#include <string>
#include <vector>

namespace plataforma {

// The raw command line of the running process, as one UTF-8 text: the program's path followed by
// its arguments, written the way a parent process writes them (double quotes around values,
// blanks between them). The program's own splitter reads it, so arguments come out by the same
// rules on every platform.
std::string linhaDeComandoDoProcesso();

// The command line a parent writes for the argument vector `argumentos` (the program's path
// first): every item enclosed in double quotes, one blank between items. Used where the system
// keeps no raw command line and hands the process its argument vector instead.
inline std::string linhaDeComandoDosArgumentos(const std::vector<std::string>& argumentos) {
    std::string linha;
    for (const std::string& argumento : argumentos) {
        if (!linha.empty())
            linha += ' ';
        linha += '"' + argumento + '"';
    }
    return linha;
}

} // namespace plataforma
