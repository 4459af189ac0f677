#pragma once

#include <string>

namespace plataforma {

// Starts the command interpreter in a hidden window with `parametros` as its parameters and
// returns without waiting for it.
//
// Windows: "cmd.exe" through the shell; whether it started is not examined.
// POSIX: the parameters must begin with the switch "/c" (blanks before it allowed); the POSIX
// shell runs the rest of the text as one command, in a session of its own, with the program's
// current folder and environment and only its standard input, output and error. It ends when
// that command ends; nothing is left waiting to be reaped. Raises std::invalid_argument when the
// switch is missing (nothing is started) and std::system_error when the shell cannot be started.
void iniciarInterpretadorOculto(const std::string& parametros);

} // namespace plataforma
