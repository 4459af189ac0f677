#pragma once

#include <string>
#include <vector>

// A throw-away PostgreSQL server on loopback for tests and benchmarks, run by
// scripts/servidor_pg.sh: a new cluster in a temporary folder, a free port, password
// authentication over TCP. It is stopped and its folder removed when the object is destroyed,
// and also when the process dies without destroying it.
class ServidorPgTeste {
public:
    ServidorPgTeste();
    ~ServidorPgTeste();
    ServidorPgTeste(const ServidorPgTeste&) = delete;
    ServidorPgTeste& operator=(const ServidorPgTeste&) = delete;

    int porta() const { return fPorta; }

    // A role that logs in with `senha`, and a database; nothing happens when they exist.
    void criarPapel(const std::string& nome, const std::string& senha) const;
    void criarBanco(const std::string& nome, const std::string& dono) const;

    // The rows of a query run as the superuser, one per line, fields separated by "|".
    std::string consultar(const std::string& sql) const;

private:
    std::string fPasta;
    int fPorta = 0;
};

// The result of a program run to its end.
struct SaidaDePrograma {
    int status = -1; // exit code, or -1 when it did not exit normally
    std::string saida;
};

// Runs `argumentos` (the program first, found on the search path) and collects its standard
// output; standard error goes to the caller's.
SaidaDePrograma executarPrograma(const std::vector<std::string>& argumentos);
