#pragma once

#include "data/ParametrosConexao.h"

#include <string>

// How long the one connection attempt may take, in seconds.
inline constexpr int segundosParaConectar = 30;

// The libpq connection string of a parameter list: "host" or "hostaddr" from "Server", "port",
// "dbname" ("postgres" when there is no database), "user" and "password", in that order, then
// "connect_timeout" with segundosParaConectar, separated by one blank. Absent values leave their
// keyword out, so libpq's defaults apply.
// `codificar`, when given, turns each value into the bytes libpq is to receive before it is
// escaped, so that no byte of a converted character can escape the quoting.
using CodificacaoDeTexto = std::string (*)(const std::string&);
std::string montarStringConexao(const TParametrosConexao& parametros,
                                CodificacaoDeTexto codificar = nullptr);

// A value as libpq reads it back whole: "\" doubled, "'" preceded by "\", and the whole enclosed
// in "'" when it holds a character that libpq takes for white space.
std::string valorDaStringConexao(const std::string& valor);

// Whether the server's name is written as a dotted IPv4 address: split at every "." with empty
// parts dropped, exactly four leading parts are integers no greater than 255.
bool ehEnderecoIPv4(const std::string& servidor);
