#pragma once

#include <string>

namespace plataforma {

// Shows the system's own error message box: `titulo` as its caption, `texto` (UTF-8), the stop
// icon and one OK button, modal to every window of the program. Returns once the user has closed
// it, with true; returns false at once where the system has no such box, and the caller shows
// one of its own.
//
// Windows: MessageBoxW. POSIX: there is no system message box.
bool mostrarCaixaDeErroDoSistema(const std::string& titulo, const std::string& texto);

} // namespace plataforma
