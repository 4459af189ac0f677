#include "app/Eventos.h"

std::int32_t EmpresaLogada = 0;
std::int32_t FuncionarioLogado = 0;
std::string UsuarioLogado;
