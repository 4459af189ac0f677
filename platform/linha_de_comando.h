#pragma once

#include <optional>
#include <string>
#include <vector>

namespace plataforma {

// What the system hands the running process as its command line (UTF-8):
// - Windows keeps the raw line as the parent wrote it (`bruta`: the program's path followed by
//   its arguments, with their quotes and blanks), which the program splits by its own rules;
// - POSIX keeps no such line: the parent hands over the argument vector (`vetor`, the program's
//   name first), whose items are the arguments exactly as given.
struct LinhaDeComando {
    std::optional<std::string> bruta;
    std::vector<std::string> vetor;
};

LinhaDeComando linhaDeComandoDoProcesso();

// Overwrites with '*' the bytes [inicio, fim) of this process's command line where other programs
// read it: the argument area that /proc/PID/cmdline and ps show on Linux, the line that
// GetCommandLineW returns (which Task Manager and WMI read) on Windows. The offsets count in
// `bruta` where the system keeps a raw line, else in the items of `vetor` joined by NULs. In a raw
// line the double quotes of the stretch stay, so that it still splits into the same items.
// Nothing is written when the line no longer holds what linhaDeComandoDoProcesso read.
void mascararNaLinhaDeComando(std::size_t inicio, std::size_t fim);

} // namespace plataforma
