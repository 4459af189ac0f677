#include "platform/codificacao.h"

namespace plataforma {

// POSIX libraries take and give the program's own UTF-8.

std::string paraPaginaAnsi(const std::string& utf8) {
    return utf8;
}

std::string daPaginaAnsi(const std::string& ansi) {
    return ansi;
}

} // namespace plataforma
