#include "messages/UnFuncao.h"

#include "messages/UnMens.h"

#include <QApplication>
#include <QThread>

#include <stdexcept>
#include <vector>

namespace {

using Botao = QPushButton* TFormMens::*;
using Imagem = QLabel* TFormMens::*;

// "Move `botao` to `destino`": `botao` takes the left edge that `destino` has at that moment.
struct Movimento {
    Botao botao;
    Botao destino;
};

struct Legenda {
    Botao botao;
    const char* texto;
};

// What one kind of message does to the window. Its steps run in this order: the moves (each
// reading positions left by the moves before it, also by earlier kinds), the buttons and the
// symbol shown, the button captions, the window caption, the button to focus.
struct Ramo {
    TTipoMensagem tipo;
    std::vector<Movimento> movimentos;
    std::vector<Botao> botoes;
    Imagem simbolo;
    std::vector<Legenda> legendas;
    const char* titulo;
    Botao foco;
};

// In ordinal order: with several kinds in one set, each later kind works on what the earlier
// ones left, and the last one sets the captions and the focus. An error message adds nothing to
// the window.
const std::vector<Ramo>& ramos() {
    static const std::vector<Ramo> tabela = {
        {TTipoMensagem::tmExclusao,
         {{&TFormMens::bbSim, &TFormMens::bbCancel}, {&TFormMens::bbNao, &TFormMens::bbOk}},
         {&TFormMens::bbSim, &TFormMens::bbNao},
         &TFormMens::ImgExc,
         {},
         "Mensagem Confirma Exclusão",
         &TFormMens::bbNao},
        {TTipoMensagem::tmGravacao,
         {{&TFormMens::bbSim, &TFormMens::bbNao},
          {&TFormMens::bbNao, &TFormMens::bbCancel},
          {&TFormMens::bbCancel, &TFormMens::bbOk}},
         {&TFormMens::bbSim, &TFormMens::bbNao, &TFormMens::bbCancel},
         &TFormMens::ImgGrav,
         {},
         "Mensagem Confirma Gravação",
         &TFormMens::bbCancel},
        {TTipoMensagem::tmAdvertencia,
         {},
         {&TFormMens::bbOk},
         &TFormMens::ImgAdv,
         {},
         "Mensagem de Advertência",
         &TFormMens::bbOk},
        {TTipoMensagem::tmInformacao,
         {},
         {&TFormMens::bbOk},
         &TFormMens::ImgInfo,
         {},
         "Mensagem de Informação",
         &TFormMens::bbOk},
        {TTipoMensagem::tmConfirmacao,
         {{&TFormMens::bbSim, &TFormMens::bbCancel}, {&TFormMens::bbNao, &TFormMens::bbOk}},
         {&TFormMens::bbSim, &TFormMens::bbNao},
         &TFormMens::ImgConf,
         {},
         "Mensagem de Confirmação",
         &TFormMens::bbNao},
        {TTipoMensagem::tmResAC,
         {{&TFormMens::bbSim, &TFormMens::bbCancel}, {&TFormMens::bbCancel, &TFormMens::bbOk}},
         {&TFormMens::bbSim, &TFormMens::bbCancel},
         &TFormMens::ImgResAEC,
         {{&TFormMens::bbSim, "&Alterar"}, {&TFormMens::bbCancel, "&Cancelar"}},
         "Atenção",
         &TFormMens::bbCancel},
        {TTipoMensagem::tmResAEC,
         {{&TFormMens::bbSim, &TFormMens::bbNao},
          {&TFormMens::bbNao, &TFormMens::bbCancel},
          {&TFormMens::bbCancel, &TFormMens::bbOk}},
         {&TFormMens::bbSim, &TFormMens::bbNao, &TFormMens::bbCancel},
         &TFormMens::ImgResAEC,
         {{&TFormMens::bbSim, "&Alterar"},
          {&TFormMens::bbNao, "&Excluir"},
          {&TFormMens::bbCancel, "&Cancelar"}},
         "Atenção",
         &TFormMens::bbSim},
    };
    return tabela;
}

void aplicar(const Ramo& ramo, TFormMens& janela) {
    for (const Movimento& movimento : ramo.movimentos) {
        QPushButton* botao = janela.*movimento.botao;
        botao->move((janela.*movimento.destino)->x(), botao->y());
    }
    for (const Botao botao : ramo.botoes)
        (janela.*botao)->setVisible(true);
    (janela.*ramo.simbolo)->setVisible(true);
    for (const Legenda& legenda : ramo.legendas)
        (janela.*legenda.botao)->setText(QString::fromUtf8(legenda.texto));
    janela.setWindowTitle(QString::fromUtf8(ramo.titulo));
    janela.botaoFoco = janela.*ramo.foco;
}

// Widgets exist only on the thread of a running QApplication; anywhere else Qt would end the
// process instead of failing the call.
void exigirAplicacaoDeJanelas() {
    const auto* aplicacao = qobject_cast<QApplication*>(QCoreApplication::instance());
    if (!aplicacao)
        throw std::logic_error("Mensagem: não há aplicação de janelas em execução");
    if (QThread::currentThread() != aplicacao->thread())
        throw std::logic_error("Mensagem: chamada fora da linha de execução das janelas");
}

// Releases the window when Mensagem leaves, returning or failing: it vanishes at once and is
// destroyed from the event loop.
class LiberacaoDaJanela {
public:
    explicit LiberacaoDaJanela(TFormMens* janela) : fJanela(janela) {}
    LiberacaoDaJanela(const LiberacaoDaJanela&) = delete;
    LiberacaoDaJanela& operator=(const LiberacaoDaJanela&) = delete;
    ~LiberacaoDaJanela() {
        FormMens = nullptr;
        fJanela->hide();
        fJanela->deleteLater();
    }

private:
    TFormMens* fJanela;
};

} // namespace

std::int32_t Mensagem(const std::string& Texto, TTipoMensagens TipoMensagem) {
    exigirAplicacaoDeJanelas();
    FormMens = new TFormMens();
    const LiberacaoDaJanela liberacao(FormMens);

    FormMens->Memo1->setPlainText(QString::fromUtf8(Texto));
    for (const Ramo& ramo : ramos()) {
        if (TipoMensagem.contem(ramo.tipo))
            aplicar(ramo, *FormMens);
    }
    return exibirModal(*FormMens);
}
