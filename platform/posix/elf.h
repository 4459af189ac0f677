#pragma once

#include <optional>
#include <string>

// What the loader layer reads of an ELF file through a descriptor open on it.

namespace plataforma::elf {

// When the open file is a shared library built for another architecture than this program, the
// name of that architecture; nothing when it is built for this one, is not a library or cannot
// be read.
std::optional<std::string> arquiteturaDeOutraBiblioteca(int descritor);

} // namespace plataforma::elf
