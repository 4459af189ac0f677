#include "app/VigiaDosVisualizadores.h"

#include "messages/UnFuncao.h"
#include "messages/UnMens.h"
#include "report/FalhaDoVisualizador.h"

#ifdef Q_OS_WIN
#include <QWinEventNotifier>
using Notificador = QWinEventNotifier;
#else
#include <QSocketNotifier>
using Notificador = QSocketNotifier;
#endif

#include <algorithm>

namespace {

// The event loop's watch on one descriptor (turning readable) or handle (turning signalled).
Notificador* notificadorPara(plataforma::Aguardavel aguardavel, QObject* dono) {
#ifdef Q_OS_WIN
    return new QWinEventNotifier(aguardavel, dono);
#else
    return new QSocketNotifier(aguardavel, QSocketNotifier::Read, dono);
#endif
}

// Stops the watch at once (its descriptor may be closed right after) and lets it go from the
// event loop, since it may be the one whose signal is being handled.
void desligar(Notificador*& notificador) {
    if (notificador == nullptr)
        return;
    notificador->setEnabled(false);
    notificador->deleteLater();
    notificador = nullptr;
}

} // namespace

struct VigiaDosVisualizadores::Vigiado {
    explicit Vigiado(std::unique_ptr<plataforma::InterpretadorIniciado> i)
        : interpretador(std::move(i)) {}
    ~Vigiado() {
        desligar(fim);
        desligar(erros);
    }
    Vigiado(const Vigiado&) = delete;
    Vigiado& operator=(const Vigiado&) = delete;

    std::unique_ptr<plataforma::InterpretadorIniciado> interpretador;
    Notificador* fim = nullptr;
    Notificador* erros = nullptr;
};

VigiaDosVisualizadores::VigiaDosVisualizadores()
    : fAnterior(trocarVigiaDoInterpretador(
          [this](std::unique_ptr<plataforma::InterpretadorIniciado> interpretador) {
              vigiar(std::move(interpretador));
          })) {}

VigiaDosVisualizadores::~VigiaDosVisualizadores() {
    trocarVigiaDoInterpretador(std::move(fAnterior));
}

void VigiaDosVisualizadores::vigiar(
    std::unique_ptr<plataforma::InterpretadorIniciado> interpretador) {
    auto vigiado = std::make_unique<Vigiado>(std::move(interpretador));
    Vigiado* alvo = vigiado.get();
    const auto acompanhar = [this, alvo](Notificador*& notificador,
                                         plataforma::Aguardavel aguardavel) {
        notificador = notificadorPara(aguardavel, this);
        connect(notificador, &Notificador::activated, this, [this, alvo] { atender(*alvo); });
    };
    if (alvo->interpretador->fim() != plataforma::nenhumAguardavel)
        acompanhar(alvo->fim, alvo->interpretador->fim());
    if (alvo->interpretador->lendoErros())
        acompanhar(alvo->erros, alvo->interpretador->erros());
    fVigiados.push_back(std::move(vigiado));
    // It may have ended, or written, before the watches were set.
    atender(*alvo);
}

void VigiaDosVisualizadores::atender(Vigiado& vigiado) {
    plataforma::InterpretadorIniciado& interpretador = *vigiado.interpretador;
    const bool terminou = interpretador.atender();
    if (!interpretador.lendoErros())
        desligar(vigiado.erros);
    if (!terminou)
        return;
    const plataforma::FinalDoFluxo& final = interpretador.finalDosErros();
    std::string aviso =
        avisoDeFalhaDoVisualizador(interpretador.codigoDeSaida(), final.texto(), final.cortado());
    std::erase_if(fVigiados, [&vigiado](const auto& item) { return item.get() == &vigiado; });
    if (aviso.empty())
        return;
    fAvisos.push_back(std::move(aviso));
    // Shown from the event loop, not from inside the watch's signal.
    QMetaObject::invokeMethod(this, &VigiaDosVisualizadores::mostrarAvisos, Qt::QueuedConnection);
}

void VigiaDosVisualizadores::mostrarAvisos() {
    if (fMostrando)
        return; // the loop below takes it after the warning on screen
    if (FormMens != nullptr) {
        // Another message is open: the warnings wait until its window is gone.
        connect(FormMens, &QObject::destroyed, this, &VigiaDosVisualizadores::mostrarAvisos,
                static_cast<Qt::ConnectionType>(Qt::QueuedConnection | Qt::UniqueConnection));
        return;
    }
    fMostrando = true;
    while (!fAvisos.empty()) {
        const std::string aviso = std::move(fAvisos.front());
        fAvisos.pop_front();
        Mensagem(aviso, Advertencia);
    }
    fMostrando = false;
}
