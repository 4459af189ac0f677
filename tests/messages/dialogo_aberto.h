#pragma once

// Runs Mensagem in a test: once its modal window is up and active, an action of the test works on
// it (looks at it, types into it, closes it). A window still open some seconds later fails the
// test and is closed with resultadoEsquecido, so that no test hangs.

#include "messages/UnFuncao.h"
#include "messages/UnMens.h"

#include <QTimer>
#include <gtest/gtest.h>

#include <functional>
#include <string>

inline constexpr std::int32_t resultadoEsquecido = -1;

inline std::int32_t mensagemCom(const std::string& texto, TTipoMensagens tipos,
                                const std::function<void(TFormMens&)>& acao) {
    constexpr int intervalo = 10;
    constexpr int limite = 5000 / intervalo;
    int voltas = 0;
    TFormMens* janelaAtendida = nullptr;
    QTimer vigia;
    vigia.setInterval(intervalo);
    QObject::connect(&vigia, &QTimer::timeout, [&] {
        ++voltas;
        if (!FormMens)
            return;
        if (!janelaAtendida && FormMens->isVisible() && FormMens->isActiveWindow()) {
            janelaAtendida = FormMens;
            voltas = 0;
            acao(*FormMens);
        } else if (voltas > limite && FormMens->isVisible()) {
            ADD_FAILURE() << (janelaAtendida ? "the window was left open"
                                             : "the window did not become active");
            FormMens->done(resultadoEsquecido);
        }
    });
    vigia.start();
    return Mensagem(texto, tipos);
}
