#include "app/UnPrincipal.h"

#include "app/ConferenciaDasDatas.h"
#include "app/EstiloDosGrupos.h"
#include "app/Eventos.h"
#include "app/FontesDaJanela.h"
#include "app/LeitoresDeTela.h"
#include "app/Posicionamento.h"
#include "app/RelatorioDeErro.h"
#include "app/TextoDeData.h"
#include "data/UnDM.h"
#include "report/pcnConversao.h"

#include "app/imagens/imprimir.xpm"

#include <QLocale>
#include <QPixmap>

#include <array>
#include <chrono>
#include <stdexcept>

std::string Servidor;
std::string Porta;
std::string Usuario;
std::string Senha;
std::string Banco;

TFormPrincipal* FormPrincipal = nullptr;

namespace {

TDateTime dataDoSeletor(const QDateEdit& seletor) {
    const QDate data = seletor.date();
    using namespace std::chrono;
    return local_days{year{data.year()} / month{static_cast<unsigned>(data.month())} /
                      day{static_cast<unsigned>(data.day())}};
}

std::string marcado(const QCheckBox& caixa) {
    return caixa.isChecked() ? "S" : "N";
}

void conectarPeloModuloDeDados() {
    if (DM == nullptr)
        throw std::logic_error("O módulo de dados não foi criado");
    DM->conectar(Servidor, Porta, Usuario, Senha, Banco);
}

} // namespace

TDependenciasPrincipal
TDependenciasPrincipal::padrao(std::function<ArgumentosDaLinhaDeComando()> argumentos) {
    return {std::move(argumentos), conectarPeloModuloDeDados, plataforma::relogioLocal};
}

TFormPrincipal::TFormPrincipal(TDependenciasPrincipal dependencias, QWidget* parent)
    : QWidget(parent), fDependencias(std::move(dependencias)) {
    const FontesDaJanela fontes = fontesDaJanela();
    // The window's font is set before its controls are made, so that they are made with it.
    setFont(fontes.janela);
    registrarInterfacesParaLeitoresDeTela();
    setupUi(this);
    PanelTitulo->setFont(fontes.titulo);
    for (QWidget* controle : {static_cast<QWidget*>(Label11), static_cast<QWidget*>(cbOrdem),
                              static_cast<QWidget*>(BitBtn1)})
        controle->setFont(fontes.painel);
    rgFormato->setFont(fontes.formato);
    auto* estilo = new EstiloDosGrupos;
    estilo->setParent(this);
    for (QGroupBox* grupo : {GroupBox1, GroupBox2, rgFormato})
        grupo->setStyle(estilo);
    BitBtn1->setIcon(QPixmap(imprimir));
    setWindowIcon(BitBtn1->icon());
    grupoFormato->setId(rbVisualizacao, 0);
    grupoFormato->setId(rbPDF, 1);
    grupoFormato->setId(rbExcel, 2);
    for (SeletorDeData* seletor : {DTPDe, DTPAte, DTPDe2, DTPAte2})
        seletor->setDisplayFormat(formatoDeDataNumerico(QLocale()));
    nomearParaLeitoresDeTela();
    centralizarNaTela(*this, geometry()); // the frame is not known before the first show
    new AncoragemNoTopo(*GroupBox2, QMargins(GroupBox2->x(), GroupBox2->y(), GroupBox2->x(), 0));
    connect(BitBtn1, &QPushButton::clicked, this, &TFormPrincipal::BitBtn1Click);

    std::exception_ptr erro;
    try {
        FormCreate();
    } catch (...) {
        erro = std::current_exception();
    }
    if (erro)
        relatarErro(erro);
}

TFormPrincipal::~TFormPrincipal() = default;

// Centred on the desktop the first time it appears, frame included. A window that opens
// maximised or minimised is not moved (moving it would restore it); it keeps the centred place
// that the constructor gave it for when it is restored.
void TFormPrincipal::showEvent(QShowEvent* evento) {
    if (!fJaExibida) {
        fJaExibida = true;
        if (windowState() == Qt::WindowNoState)
            centralizarNaTela(*this, frameGeometry());
    }
    QWidget::showEvent(evento);
}

// The creation sequence: an error in a step leaves the steps after it undone.
void TFormPrincipal::FormCreate() {
    lerParametrosDaSessao();
    fDependencias.conectar();
    definirDatasPadrao();
}

void TFormPrincipal::lerParametrosDaSessao() {
    const ArgumentosDaLinhaDeComando argumentos = fDependencias.argumentos();
    Servidor = argumentos[0];
    Porta = argumentos[1];
    Usuario = argumentos[2];
    Senha = argumentos[3];
    Banco = argumentos[4];
    CodigoEmpresaLogada = TextoParaInteiro(argumentos[5]);
    CodigoFuncionarioLogado = TextoParaInteiro(argumentos[6]);
    EmpresaLogada = CodigoEmpresaLogada;
    FuncionarioLogado = CodigoFuncionarioLogado;
    UsuarioLogado = argumentos[7];
}

// Each picker reads the clock anew, so a start just at midnight may show two different days.
void TFormPrincipal::definirDatasPadrao() {
    const auto primeiroDiaDoMes = [this] {
        const plataforma::DataHoraLocal agora = fDependencias.relogio();
        return QDate(agora.ano, agora.mes, 1);
    };
    const auto hoje = [this] {
        const plataforma::DataHoraLocal agora = fDependencias.relogio();
        return QDate(agora.ano, agora.mes, agora.dia);
    };
    DTPDe->setDate(primeiroDiaDoMes());
    DTPAte->setDate(hoje());
    DTPDe2->setDate(primeiroDiaDoMes());
    DTPAte2->setDate(hoje());
}

// What a screen reader says of the controls whose captions do not tell them apart.
void TFormPrincipal::nomearParaLeitoresDeTela() {
    Label11->setBuddy(cbOrdem);
    GroupBox2->setAccessibleName(GroupBox2->title());
    nomearLinhaDeDatas(*cbData, QStringLiteral("Data filtrada, linha 1"), *DTPDe, *DTPAte,
                       *CBQQData);
    nomearLinhaDeDatas(*cbData2, QStringLiteral("Data filtrada, linha 2"), *DTPDe2, *DTPAte2,
                       *CBQQData2);
}

TFormatoSaida TFormPrincipal::formatoEscolhido() const {
    static constexpr std::array formatos{TFormatoSaida::tsVisualizacao, TFormatoSaida::tsPDF,
                                         TFormatoSaida::tsXLS};
    return formatos.at(static_cast<std::size_t>(grupoFormato->checkedId()));
}

void TFormPrincipal::BitBtn1Click() {
    if (!datasConferidas({{DTPDe, "inicial", cbData},
                          {DTPAte, "final", cbData},
                          {DTPDe2, "inicial", cbData2},
                          {DTPAte2, "final", cbData2}}))
        return;
    TRelatorioVisualizador relatorio("mv_relacao_licensa_cliente");
    relatorio.addParametro("P_DTDE", dataDoSeletor(*DTPDe));
    relatorio.addParametro("P_DTATE", dataDoSeletor(*DTPAte));
    relatorio.addParametro("P_DTDE2", dataDoSeletor(*DTPDe2));
    relatorio.addParametro("P_DTATE2", dataDoSeletor(*DTPAte2));
    relatorio.addParametro("P_CBQD", marcado(*CBQQData));
    relatorio.addParametro("P_CBQD2", marcado(*CBQQData2));
    relatorio.addParametro("P_ORDEM", std::to_string(cbOrdem->currentIndex()));
    relatorio.executar(formatoEscolhido());
}
