#pragma once

#include "tests/support/servidor_pg.h"

// The PostgreSQL server of a test program: started at the first call, shared by the program's
// tests and stopped when they end, whether they passed or not.
ServidorPgTeste& servidorPgDoTeste();
