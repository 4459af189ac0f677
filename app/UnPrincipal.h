#pragma once

#include "app/LinhaDeComando.h"
#include "platform/relogio_local.h"
#include "report/UnRelatorioJasper.h"
#include "ui_UnPrincipal.h"

#include <QWidget>

#include <cstdint>
#include <functional>
#include <string>

// The database access handed over on the command line (arguments 1 to 5), read again by the
// connection step. UTF-8.
extern std::string Servidor;
extern std::string Porta;
extern std::string Usuario;
extern std::string Senha;
extern std::string Banco;

// What the filter window takes from outside: the eight arguments, the connection step and the
// local clock. The program uses the defaults; tests put their own in.
struct TDependenciasPrincipal {
    std::function<ArgumentosDaLinhaDeComando()> argumentos;
    std::function<void()> conectar; // opens the connection from Servidor, Porta, ... Banco
    std::function<plataforma::DataHoraLocal()> relogio;

    // The given arguments, DM->conectar and the machine's local clock.
    static TDependenciasPrincipal padrao(std::function<ArgumentosDaLinhaDeComando()> argumentos);
};

// The filter window of the client licence report: two date ranges, a sort order and an output
// format, handed to the report viewer by "Imprimir".
class TFormPrincipal : public QWidget, public Ui::TFormPrincipal {
    Q_OBJECT

public:
    // Builds the window and runs its creation sequence. An error in the sequence is shown by the
    // default error report; the window is built and usable all the same.
    explicit TFormPrincipal(TDependenciasPrincipal dependencias, QWidget* parent = nullptr);
    ~TFormPrincipal() override;

    std::int32_t codigoEmpresaLogada() const { return CodigoEmpresaLogada; }
    std::int32_t codigoFuncionarioLogado() const { return CodigoFuncionarioLogado; }

protected:
    void showEvent(QShowEvent* evento) override;

private slots:
    void BitBtn1Click();

private:
    void FormCreate();
    void lerParametrosDaSessao();
    void definirDatasPadrao();
    void nomearParaLeitoresDeTela();
    TFormatoSaida formatoEscolhido() const;

    TDependenciasPrincipal fDependencias;
    bool fJaExibida = false;
    std::int32_t CodigoEmpresaLogada = 0;
    std::int32_t CodigoFuncionarioLogado = 0;
};

// The program's main window, while it exists.
extern TFormPrincipal* FormPrincipal;
