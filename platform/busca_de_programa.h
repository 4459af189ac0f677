#pragma once

#include <string>

namespace plataforma {

// Whether the command interpreter that starts the report viewer would find the program `nome`
// (a bare name such as "java") the way it looks for a command:
// - POSIX: a regular file that may be executed, in one of the folders of PATH (an empty entry
//   is the current folder; without PATH, the search path that the interpreter then uses).
// - Windows: the current folder first, then each folder of PATH, in order; in each, the name
//   itself when it has an extension, then the name with each extension of PATHEXT (".COM;.EXE;
//   .BAT;.CMD" when PATHEXT is not set).
// Never throws: a folder that cannot be read counts as not holding the program.
bool programaEncontravel(const std::string& nome);

} // namespace plataforma
