// The program as installed, reduced to its print action: sends the example request as PDF
// through the real launch and exits at once. Exit code 0 when no warning was shown.

#include "tests/report/exemplo_trabalhado.h"
#include "tests/report/mensagem_gravada.h"

#include <cstdio>

int main() {
    TRelatorioVisualizador relatorio(relatorioDoExemplo);
    AdicionarParametrosDoExemplo(relatorio);
    relatorio.executar(TFormatoSaida::tsPDF);
    for (const MensagemGravada& mensagem : MensagensGravadas())
        std::fprintf(stderr, "%s\n", mensagem.texto.c_str());
    return MensagensGravadas().empty() ? 0 : 1;
}
