#pragma once

#include <optional>
#include <string>

// Processor architectures of the program and of library files.

namespace plataforma {

// The name of the architecture this program is built for, as the system names it
// ("x86_64", "aarch64", "i386" on Linux; "x86", "x64", "arm64" on Windows).
std::string arquiteturaDoPrograma();

// When the file at `caminho` is a shared library built for another architecture than this
// program, the name of that architecture; nothing when it is built for this one, is not a
// library or cannot be read.
std::optional<std::string> arquiteturaDeOutraBiblioteca(const std::string& caminho);

} // namespace plataforma
