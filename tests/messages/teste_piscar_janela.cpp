// The X11 blink, against a private X server: it toggles the urgency hint of this process's own
// windows and leaves every other window, and every bad handle, alone.
#include "platform/piscar_janela.h"

// GoogleTest before Xlib, whose macros (None, Bool) would break its headers.
#include <gtest/gtest.h>

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <string>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace {

class ServidorX : public ::testing::Test {
protected:
    void SetUp() override {
        // A display number of its own, so that tests running side by side do not meet.
        const std::string numero = std::to_string(200 + getpid() % 5000);
        nomeDaTela = ":" + numero;
        const std::string soquete = "/tmp/.X11-unix/X" + numero;
        servidor = fork();
        ASSERT_GE(servidor, 0);
        if (servidor == 0) {
            // The server goes with this test program, also when the program dies.
            prctl(PR_SET_PDEATHSIG, SIGTERM);
            const int nulo = open("/dev/null", O_WRONLY);
            dup2(nulo, STDOUT_FILENO);
            dup2(nulo, STDERR_FILENO);
            execlp("Xvfb", "Xvfb", nomeDaTela.c_str(), "-nolisten", "tcp", "-screen", "0",
                   "320x240x24", static_cast<char*>(nullptr));
            _exit(127);
        }
        for (int i = 0; i < 200 && !tela; ++i) {
            if (std::filesystem::exists(soquete))
                tela = XOpenDisplay(nomeDaTela.c_str());
            if (!tela)
                std::this_thread::sleep_for(std::chrono::milliseconds(25));
        }
        ASSERT_NE(tela, nullptr) << "Xvfb did not start";
        setenv("DISPLAY", nomeDaTela.c_str(), 1);
    }

    void TearDown() override {
        if (tela)
            XCloseDisplay(tela);
        if (servidor > 0) {
            kill(servidor, SIGTERM);
            waitpid(servidor, nullptr, 0);
        }
    }

    Window criarJanela(long pid) {
        const Window janela =
            XCreateSimpleWindow(tela, DefaultRootWindow(tela), 0, 0, 50, 50, 0, 0, 0);
        const Atom atomoPid = XInternAtom(tela, "_NET_WM_PID", False);
        XChangeProperty(tela, janela, atomoPid, XA_CARDINAL, 32, PropModeReplace,
                        reinterpret_cast<const unsigned char*>(&pid), 1);
        XWMHints dicas{};
        dicas.flags = InputHint;
        dicas.input = True;
        XSetWMHints(tela, janela, &dicas);
        XSync(tela, False);
        return janela;
    }

    // The urgency flag of the window's hints, and whether its other hints are kept.
    bool urgente(Window janela) {
        XWMHints* dicas = XGetWMHints(tela, janela);
        if (!dicas)
            return false;
        EXPECT_TRUE(dicas->flags & InputHint);
        const bool resultado = dicas->flags & XUrgencyHint;
        XFree(dicas);
        return resultado;
    }

    std::string nomeDaTela;
    pid_t servidor = 0;
    Display* tela = nullptr;
};

TEST_F(ServidorX, AlternaAUrgenciaDaJanelaDoProprioProcesso) {
    const Window janela = criarJanela(getpid());
    ASSERT_FALSE(urgente(janela));
    for (const bool esperado : {true, false, true}) {
        plataforma::piscarJanela(janela);
        EXPECT_EQ(urgente(janela), esperado);
    }
}

TEST_F(ServidorX, DeixaJanelasAlheiasEIdentificadoresInvalidosEmPaz) {
    const Window alheia = criarJanela(getpid() + 1);
    plataforma::piscarJanela(alheia);
    EXPECT_FALSE(urgente(alheia));
    // Handles of windows that do not exist on this server, such as those of an offscreen
    // display: the call must neither fail nor end the process.
    for (const std::uintptr_t invalido : {std::uintptr_t{0}, std::uintptr_t{1}, ~std::uintptr_t{0}})
        plataforma::piscarJanela(invalido);
    const Window propria = criarJanela(getpid());
    plataforma::piscarJanela(propria);
    EXPECT_TRUE(urgente(propria)) << "still works after the errors";
}

} // namespace
