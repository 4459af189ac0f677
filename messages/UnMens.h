#pragma once

// The message window: a text, the symbols and the buttons of its kinds of message, a blinking
// caption and its own taskbar entry. Mensagem (UnFuncao.h) builds and shows one per message.

#include "ui_UnMens.h"

#include <QDialog>

#include <cstdint>
#include <functional>

class QKeyEvent;
class QPushButton;
class QTimer;

class TFormMens : public QDialog, public Ui::TFormMens {
    Q_OBJECT

public:
    // Builds the window in its design state: caption "Confirmar Exclusão de Arquivos", every
    // symbol and button hidden, no botaoFoco, Timer1 running.
    explicit TFormMens(QWidget* parent = nullptr);

    QTimer* Timer1 = nullptr;

    // The button that gets the focus when the window is shown; none leaves the focus to the first
    // control in tab order that takes it.
    QPushButton* botaoFoco = nullptr;

    // Shows the window modally and returns the modal result it closed with. A modal loop ended
    // without one (the application being asked to quit) counts as mrCancel, like the close box.
    std::int32_t ShowModal();

    // Esc and the close box end the window with mrCancel.
    void reject() override;

    void FormShow();
    // Sees every character typed in the window before the focused control does; the character
    // goes on to that control afterwards.
    void FormKeyPress(QChar Key);
    void Timer1Timer();

    // Lines the text box shows after word wrap at its width, a final empty line not counted.
    int linhasExibidas() const;

protected:
    void showEvent(QShowEvent* evento) override;
    void keyPressEvent(QKeyEvent* evento) override;
    bool eventFilter(QObject* alvo, QEvent* evento) override;

private:
    void FormCreate();
    QPushButton* botaoDaLetra(const QKeyEvent& tecla) const;
    void centrarNaTela();
};

// The message window while Mensagem runs; nullptr at all other times.
extern TFormMens* FormMens;

// Receives the native handle of the window on each tick of Timer1.
using PiscadorDeJanela = std::function<void(std::uintptr_t janela)>;

// Replaces the function that Timer1Timer blinks the window with and returns the one replaced. The
// program never calls this: the default is the platform's blink. Tests put a recorder there.
PiscadorDeJanela trocarPiscador(PiscadorDeJanela novo);

// How Mensagem shows its window: modally, returning the modal result.
using ExibicaoModal = std::function<std::int32_t(TFormMens& janela)>;

// Shows the window through the current ExibicaoModal (by default TFormMens::ShowModal).
std::int32_t exibirModal(TFormMens& janela);

// Replaces the show that exibirModal uses and returns the one replaced. The program never calls
// this. Tests put a show there that fails, to see Mensagem clean up after an error.
ExibicaoModal trocarExibicaoModal(ExibicaoModal nova);
