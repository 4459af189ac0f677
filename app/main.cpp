// Entry of the client licence report launcher.
#include "app/Aplicacao.h"
#include "app/LinhaDeComando.h"
#include "app/RelatorioDeErro.h"
#include "app/UnPrincipal.h"
#include "app/VigiaDosVisualizadores.h"
#include "data/ConexaoBanco.h"
#include "data/UnDM.h"
#include "platform/processo.h"

#include <cstdio>
#include <memory>

int main(int argc, char** argv) {
    // The password arrives on the command line: from here on the process holds it. It is read
    // once and masked at once, before anything else starts.
    plataforma::protegerMemoriaDoProcesso();
    const ArgumentosDaPartida argumentos = ArgumentosDaPartida::lerEMascarar();
    nomearAplicacaoParaOServidor();
    if (!plataforma::haTelaParaJanelas()) {
        std::fprintf(stderr, "RelLicensaCliente: não há tela para mostrar as janelas (DISPLAY e "
                             "WAYLAND_DISPLAY estão vazios).\n");
        return 1;
    }
    static char nomePadrao[] = "RelLicensaCliente";
    TAplicacao aplicacao(argc > 0 && argv[0] != nullptr ? argv[0] : nomePadrao);
    try {
        // Follows the viewers that the print action starts; when the program ends they run on.
        const VigiaDosVisualizadores vigia;
        // The data module comes first: the window's creation sequence connects through it.
        auto moduloDeDados = std::make_unique<TDM>();
        DM = moduloDeDados.get();
        auto janela = std::make_unique<TFormPrincipal>(TDependenciasPrincipal::padrao(argumentos));
        FormPrincipal = janela.get();

        exibirJanelaPrincipal(*janela, plataforma::estadoDeExibicaoSolicitado());
        aplicacao.exec();

        // The window goes first, then the data module, which closes the connection.
        FormPrincipal = nullptr;
        janela.reset();
        DM = nullptr;
        moduloDeDados.reset();
    } catch (...) {
        relatarErro(std::current_exception());
    }
    return 0;
}
