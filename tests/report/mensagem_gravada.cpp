#include "tests/report/mensagem_gravada.h"

std::vector<MensagemGravada>& MensagensGravadas() {
    static std::vector<MensagemGravada> mensagens;
    return mensagens;
}

std::int32_t Mensagem(const std::string& Texto, TTipoMensagens TipoMensagem) {
    MensagensGravadas().push_back({Texto, TipoMensagem});
    return mrOk;
}
