#pragma once

// The request that the filter window's print action makes for March 2024, sorted by the first
// order, as PDF.

#include "report/UnRelatorioJasper.h"

#include <string>

inline constexpr const char* relatorioDoExemplo = "mv_relacao_licensa_cliente";

// The joined parameter lines as the viewer's command carries them: 105 characters.
inline const std::string parametrosDoExemplo =
    " P_DTDE=2024-03-01 P_DTATE=2024-03-31 P_DTDE2=2024-03-01 P_DTATE2=2024-03-31 P_CBQD=N "
    "P_CBQD2=S P_ORDEM=0";

inline void AdicionarParametrosDoExemplo(TRelatorioJasper& relatorio) {
    using namespace std::chrono;
    const TDateTime primeiro{local_days{2024y / March / 1}};
    const TDateTime ultimo{local_days{2024y / March / 31} + 17h + 45min};
    relatorio.addParametro("P_DTDE", primeiro);
    relatorio.addParametro("P_DTATE", ultimo);
    relatorio.addParametro("P_DTDE2", primeiro);
    relatorio.addParametro("P_DTATE2", ultimo);
    relatorio.addParametro("P_CBQD", std::string("N"));
    relatorio.addParametro("P_CBQD2", std::string("S"));
    relatorio.addParametro("P_ORDEM", std::string("0"));
}
