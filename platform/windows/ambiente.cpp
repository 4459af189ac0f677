#include "platform/ambiente.h"

#include <windows.h>

#include <cstdlib>

namespace plataforma::ambiente {

// Through the C runtime, which libraries loaded later (libpq) read the environment from; it also
// sets the process's own environment, which is where the processes it starts get theirs from.
bool definir(const std::string& nome, const std::string& valor) {
    return _putenv_s(nome.c_str(), valor.c_str()) == 0;
}

// Windows compares the names of variables without regard to case.
bool mesmoNome(std::string_view um, std::string_view outro) {
    return CompareStringOrdinal(std::wstring(um.begin(), um.end()).c_str(), -1,
                                std::wstring(outro.begin(), outro.end()).c_str(), -1,
                                TRUE) == CSTR_EQUAL;
}

} // namespace plataforma::ambiente
