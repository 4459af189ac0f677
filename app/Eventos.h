#pragma once

#include <cstdint>
#include <string>

// The logged-in context that the parent application hands over on the command line: the
// company, the employee and the user's login. Stored at start and held for the whole run.
extern std::int32_t EmpresaLogada;
extern std::int32_t FuncionarioLogado;
extern std::string UsuarioLogado;
