#pragma once

#include <optional>
#include <string>

// What the loader layer reads of a DLL file's PE header.

namespace plataforma::pe {

// When the file at `caminho` is a DLL built for another architecture than this program, the name
// of that architecture; nothing when it is built for this one, is not a DLL or cannot be read.
std::optional<std::string> arquiteturaDeOutraBiblioteca(const std::string& caminho);

} // namespace plataforma::pe
