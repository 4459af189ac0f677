#pragma once

#include "platform/interpretador.h"
#include "report/UnRelatorioJasper.h"

#include <QObject>

#include <deque>
#include <list>
#include <memory>
#include <string>

// Follows, from the event loop, each viewer that the print action starts, and tells the user why
// one did not open: when its interpreter ends with an exit code other than 0, a warning in the
// message dialog gives the code and the last lines the viewer wrote to its error output. A viewer
// that runs quietly costs nothing: nothing wakes until it writes or ends. Warnings come one at a
// time, and one that is due while another message is open waits for it to close.
//
// While it exists it is the launch's VigiaDoInterpretador. Destroying it stops the following;
// the viewers run on.
class VigiaDosVisualizadores : public QObject {
    Q_OBJECT

public:
    VigiaDosVisualizadores();
    ~VigiaDosVisualizadores() override;

    void vigiar(std::unique_ptr<plataforma::InterpretadorIniciado> interpretador);
    // How many interpreters are followed now.
    std::size_t vigiados() const { return fVigiados.size(); }

private:
    struct Vigiado;
    void atender(Vigiado& vigiado);
    void mostrarAvisos();

    std::list<std::unique_ptr<Vigiado>> fVigiados;
    std::deque<std::string> fAvisos;
    bool fMostrando = false;
    VigiaDoInterpretador fAnterior;
};
