#pragma once

#include "data/BibliotecaPg.h"
#include "data/ConexaoBanco.h"
#include "data/ErroBanco.h"

#include <string>

// The data module: the program's one database connection and where its client library is
// loaded from. Creating it does not connect; destroying it closes the connection.
class TDM {
public:
    TDM();
    ~TDM();
    TDM(const TDM&) = delete;
    TDM& operator=(const TDM&) = delete;

    TLigacaoDriverPg FDPhysPgDriverLink1;
    TConexaoBanco FDConnection1;

    // Configures the connection with the session's values and opens it; the client library is
    // taken from "DLL/lib" beside the program. Raises an error with a message for the user when
    // the connection does not open (ErroBanco for the library or the attempt).
    void conectar(const std::string& servidor, const std::string& porta, const std::string& usuario,
                  const std::string& senha, const std::string& banco);
};

// The data module of the running program, created before the main window.
extern TDM* DM;
