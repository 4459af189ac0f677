#pragma once

#include <string>
#include <string_view>

namespace plataforma {

// Gives this process an environment variable of its own, for the libraries it loads, unless the
// environment already holds one of that name: a value set by whoever started the process wins.
// Changing the environment is not safe while another thread may read it, so this is called
// first thing in main, before any thread exists. Names and values are ASCII.
void definirVariavelPropria(const std::string& nome, const std::string& valor);

// Whether an entry of the environment ("NAME=value") is one that definirVariavelPropria gave.
// The processes the program starts get its environment without such entries: the environment
// the program itself was given.
bool variavelPropria(std::string_view entrada);

// What each system does its own way (posix/, windows/ ambiente.cpp).
namespace ambiente {
// Sets the variable where the libraries loaded later read it and where started processes get
// their environment from; false when the system refuses.
bool definir(const std::string& nome, const std::string& valor);
// Whether two names are the same variable's.
bool mesmoNome(std::string_view um, std::string_view outro);
} // namespace ambiente

} // namespace plataforma
