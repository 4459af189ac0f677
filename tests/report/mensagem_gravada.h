#pragma once

// A recording stand-in for the message dialog, for programs that link the report library
// without the real dialog.

#include "messages/UnFuncao.h"

#include <string>
#include <vector>

struct MensagemGravada {
    std::string texto;
    TTipoMensagens tipo;
};

// Every call of Mensagem in this process, in order. Each call returns mrOk.
std::vector<MensagemGravada>& MensagensGravadas();
