#pragma once

#include <string>

namespace plataforma {

// Full path of the running program's own file, as the operating system reports it (UTF-8).
std::string caminhoDoPrograma();

// The separator of folders in the paths of this platform.
#ifdef _WIN32
inline constexpr char separadorDePastas = '\\';
#else
inline constexpr char separadorDePastas = '/';
#endif

} // namespace plataforma
