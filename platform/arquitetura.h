#pragma once

#include <string>

// The processor architecture of the program.

namespace plataforma {

// The name of the architecture this program is built for, as the system names it
// ("x86_64", "aarch64", "i386" on Linux; "x86", "x64", "arm64" on Windows).
std::string arquiteturaDoPrograma();

} // namespace plataforma
