#include "app/UnPrincipal.h"

#include "app/EstiloDosGrupos.h"
#include "app/Eventos.h"
#include "app/LinhaDeComando.h"
#include "app/PaineisAcessiveis.h"
#include "app/RelatorioDeErro.h"
#include "app/TextoDeData.h"
#include "data/UnDM.h"
#include "messages/UnFuncao.h"
#include "report/pcnConversao.h"

#include "app/imagens/imprimir.xpm"

#include <QDateEdit>
#include <QEvent>
#include <QFont>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QLocale>
#include <QPixmap>
#include <QScreen>

#include <algorithm>
#include <array>
#include <chrono>
#include <optional>
#include <stdexcept>
#include <tuple>

std::string Servidor;
std::string Porta;
std::string Usuario;
std::string Senha;
std::string Banco;

TFormPrincipal* FormPrincipal = nullptr;

namespace {

// The program is drawn for the usual Windows fonts; where a machine lacks them, the first of these
// that it has stands in, narrow sans serif faces first so that the captions fit their controls.
// Qt applies them to the message dialog; the main window looks them up itself (below).
void registrarSubstitutosDeFontes() {
    static const bool registrados = [] {
        const QStringList semSerifa{"Liberation Sans", "Arimo", "Nimbus Sans", "Noto Sans",
                                    "DejaVu Sans"};
        for (const char* fonte : {"Segoe UI", "Tahoma", "MS Sans Serif"})
            QFont::insertSubstitutions(fonte, semSerifa);
        return true;
    }();
    (void)registrados;
}

// The fonts of the window, in pixels as it was drawn. Each names the family that will show it:
// the Windows family where the machine has it, else the first of its substitutes that the
// machine has. A family that is not there would make Qt search the system's fallbacks for it
// (twice per font, with fontconfig) before it tried the substitutes. With none of them the
// Windows name stays, and Qt's own fallbacks apply.
struct FontesDaJanela {
    QFont janela, titulo, painel, formato;
};

FontesDaJanela fontesDaJanela() {
    registrarSubstitutosDeFontes();
    const QStringList instaladas = QFontDatabase::families();
    const auto instalada = [&instaladas](const QString& familia) {
        // A family with several foundries is listed as "Family [Foundry]".
        return std::ranges::any_of(instaladas, [&familia](const QString& nome) {
            return QStringView(nome)
                       .left(nome.indexOf(QLatin1String(" [")))
                       .compare(familia, Qt::CaseInsensitive) == 0;
        });
    };
    const auto fonte = [&instalada](const char* windows, int pixels, bool negrito) {
        QString familia = QString::fromLatin1(windows);
        if (!instalada(familia)) {
            const QStringList substitutas = QFont::substitutes(familia);
            const auto substituta = std::ranges::find_if(substitutas, instalada);
            if (substituta != substitutas.end())
                familia = *substituta;
        }
        QFont resultado(familia);
        resultado.setPixelSize(pixels);
        resultado.setBold(negrito);
        return resultado;
    };
    return {fonte("Segoe UI", 12, false), fonte("Tahoma", 11, true),
            fonte("MS Sans Serif", 13, false), fonte("MS Sans Serif", 12, true)};
}

TDateTime dataDoSeletor(const QDateEdit& seletor) {
    const QDate data = seletor.date();
    using namespace std::chrono;
    return local_days{year{data.year()} / month{static_cast<unsigned>(data.month())} /
                      day{static_cast<unsigned>(data.day())}};
}

std::string marcado(const QCheckBox& caixa) {
    return caixa.isChecked() ? "S" : "N";
}

// Keeps a child docked to the top of its parent's client area: it follows the parent's width and
// keeps its own height. The group box's client area starts below its caption.
class AncoragemNoTopo : public QObject {
public:
    AncoragemNoTopo(QWidget& filho, QMargins areaDoCliente)
        : QObject(&filho), fFilho(filho), fArea(areaDoCliente) {
        filho.parentWidget()->installEventFilter(this);
    }

    bool eventFilter(QObject* objeto, QEvent* evento) override {
        if (evento->type() == QEvent::Resize) {
            const QRect area = static_cast<QWidget*>(objeto)->rect().marginsRemoved(fArea);
            fFilho.setGeometry(area.left(), area.top(), area.width(), fFilho.height());
        }
        return false;
    }

private:
    QWidget& fFilho;
    QMargins fArea;
};

// A row of dates by what its combo shows, or, with the combo's text cleared, by the combo's own
// name ("Data filtrada, linha 1").
QString nomeDaLinha(const QComboBox& data) {
    return data.currentText().trimmed().isEmpty() ? data.accessibleName() : data.currentText();
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
    registrarPaineisParaLeitoresDeTela();
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
    centralizarNaTela(geometry()); // the frame is not known before the first show
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
            centralizarNaTela(frameGeometry());
    }
    QWidget::showEvent(evento);
}

void TFormPrincipal::centralizarNaTela(const QRect& contorno) {
    const QScreen* tela = QGuiApplication::primaryScreen();
    if (tela == nullptr)
        return;
    const QRect area = tela->availableGeometry();
    QPoint canto = contorno.topLeft() + area.center() - contorno.center();
    // A window larger than the screen (a large scale factor on a small screen) keeps its top-left
    // corner, with the caption and the system menu, on the screen.
    canto.setX(std::max(canto.x(), area.left()));
    canto.setY(std::max(canto.y(), area.top()));
    move(pos() + canto - contorno.topLeft());
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

// What a screen reader says of the controls whose captions do not tell them apart: the pickers
// and the "Qualquer data" box by their row, named after what the row's combo shows, and the
// combos by what they choose.
void TFormPrincipal::nomearParaLeitoresDeTela() {
    Label11->setBuddy(cbOrdem);
    GroupBox2->setAccessibleName(GroupBox2->title());
    const auto nomearLinha = [](QComboBox* data, const QString& nomeDoCombo, SeletorDeData* de,
                                SeletorDeData* ate, QCheckBox* qualquerData) {
        // Qt names a combo box by its item on Linux, so what it chooses is its description too.
        data->setAccessibleName(nomeDoCombo);
        data->setAccessibleDescription(nomeDoCombo);
        const auto nomear = [=] {
            const QString linha = nomeDaLinha(*data);
            de->setAccessibleName(linha + QStringLiteral(", data inicial"));
            ate->setAccessibleName(linha + QStringLiteral(", data final"));
            qualquerData->setAccessibleName(linha + QStringLiteral(", qualquer data"));
        };
        nomear();
        QObject::connect(data, &QComboBox::currentTextChanged, de, nomear);
    };
    nomearLinha(cbData, QStringLiteral("Data filtrada, linha 1"), DTPDe, DTPAte, CBQQData);
    nomearLinha(cbData2, QStringLiteral("Data filtrada, linha 2"), DTPDe2, DTPAte2, CBQQData2);
}

TFormatoSaida TFormPrincipal::formatoEscolhido() const {
    static constexpr std::array formatos{TFormatoSaida::tsVisualizacao, TFormatoSaida::tsPDF,
                                         TFormatoSaida::tsXLS};
    return formatos.at(static_cast<std::size_t>(grupoFormato->checkedId()));
}

// What is sent is what each picker shows, a two-digit year written out first: a picker whose
// text is not a whole date is named in a warning, by its end of the range and its row as the
// row's combo shows it, and nothing is sent.
bool TFormPrincipal::datasConferidas() {
    const std::tuple<SeletorDeData*, const char*, const QComboBox*> seletores[] = {
        {DTPDe, "inicial", cbData},
        {DTPAte, "final", cbData},
        {DTPDe2, "inicial", cbData2},
        {DTPAte2, "final", cbData2},
    };
    for (const auto& [seletor, ponta, linha] : seletores) {
        seletor->completarAno();
        const std::optional<QDate> data = seletor->dataMostrada();
        if (!data) {
            Mensagem("O texto \"" + seletor->text().toStdString() + "\" na data " + ponta +
                         " de \"" + nomeDaLinha(*linha).toStdString() +
                         "\" não é uma data completa. Corrija a data e imprima de novo.",
                     Advertencia);
            // Back in the field, its first section selected, ready for the date typed anew. The
            // spin box's own way of selecting a section would put back its last whole date.
            seletor->setFocus();
            seletor->irParaASecao(0);
            return false;
        }
        seletor->setDate(*data);
    }
    return true;
}

void TFormPrincipal::BitBtn1Click() {
    if (!datasConferidas())
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
