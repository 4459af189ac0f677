#include "data/UnDM.h"

#include "platform/caminho_programa.h"

TDM* DM = nullptr;

TDM::TDM() : FDConnection1(FDPhysPgDriverLink1, TParametrosConexao({"DriverID=PG"})) {}

TDM::~TDM() {
    if (DM == this)
        DM = nullptr;
}

void TDM::conectar(const std::string& servidor, const std::string& porta,
                   const std::string& usuario, const std::string& senha, const std::string& banco) {
    FDConnection1.fechar();
    FDConnection1.definirDriver("PG");
    // A library loaded from elsewhere before must not hide the location set below.
    FDPhysPgDriverLink1.liberarBiblioteca();

    const std::string programa = plataforma::caminhoDoPrograma();
    FDPhysPgDriverLink1.VendorHome =
        programa.substr(0, programa.rfind(plataforma::separadorDePastas) + 1) + "DLL";
    FDPhysPgDriverLink1.VendorLib = nomeArquivoLibpq;

    FDConnection1.Parametros.definir("server", servidor);
    FDConnection1.Parametros.definir("port", porta);
    FDConnection1.Parametros.definir("user_name", usuario);
    FDConnection1.Parametros.definir("password", senha);
    FDConnection1.Parametros.definir("database", banco);

    FDConnection1.abrir();
}
