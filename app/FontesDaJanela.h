#pragma once

#include <QFont>

// The fonts of the filter window, in pixels as it was drawn. Each names the family that will
// show it: the Windows family where the machine has it, else the first of its substitutes that
// the machine has (narrow sans serif faces first, so that the captions fit their controls).
struct FontesDaJanela {
    QFont janela, titulo, painel, formato;
};

// Also registers the substitutes with Qt, which applies them to the message dialog.
FontesDaJanela fontesDaJanela();
