#pragma once

#include <string>

// The system's conventions for text handed to and received from native libraries.

namespace plataforma {

// The line break of texts shown to the user.
#ifdef _WIN32
inline constexpr const char* quebraDeLinha = "\r\n";
#else
inline constexpr const char* quebraDeLinha = "\n";
#endif

// The UTF-8 text in the system's ANSI code page (unchanged where there is none). A character
// the code page lacks becomes the code page's default character, never a look-alike.
std::string paraPaginaAnsi(const std::string& utf8);

// A text in the system's ANSI code page as UTF-8 (unchanged where there is none).
std::string daPaginaAnsi(const std::string& ansi);

} // namespace plataforma
