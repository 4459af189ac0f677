#pragma once

// Helpers of the start-up and filter window tests.

#include "report/UnRelatorioJasper.h"

#include <QMessageBox>
#include <QTimer>

#include <string>
#include <vector>

// Watches for modal message boxes while it lives: records what each one shows and closes it
// with its OK button (or, lacking one, by closing the window), so that no test hangs on a box.
class ObservadorDeCaixas {
public:
    struct Caixa {
        QString titulo;
        QString texto;
        QMessageBox::Icon icone;
        QMessageBox::StandardButtons botoes;
        Qt::WindowModality modalidade;
    };

    ObservadorDeCaixas();
    const std::vector<Caixa>& caixas() const { return fCaixas; }

private:
    void verificar();

    QTimer fTimer;
    std::vector<Caixa> fCaixas;
};

// Takes the place of the command interpreter while it lives and keeps every command handed to it.
class GravadorDeLancamentos {
public:
    GravadorDeLancamentos();
    ~GravadorDeLancamentos();
    GravadorDeLancamentos(const GravadorDeLancamentos&) = delete;
    GravadorDeLancamentos& operator=(const GravadorDeLancamentos&) = delete;

    const std::vector<std::string>& comandos() const { return fComandos; }

private:
    LancadorDoInterpretador fAnterior;
    std::vector<std::string> fComandos;
};

// The argument vector this test program was started with, as main received it.
std::vector<std::string>& argumentosDoProcessoDeTeste();

// The words the viewer receives after the system word "Marvoss": the report path, the format
// name, the validation flag and the parameter lines.
std::vector<std::string> palavrasDoVisualizador(const std::string& comando);
