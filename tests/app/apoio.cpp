#include "tests/app/apoio.h"

#include <QAbstractButton>
#include <QApplication>

#include <sstream>

ObservadorDeCaixas::ObservadorDeCaixas() {
    QObject::connect(&fTimer, &QTimer::timeout, [this] { verificar(); });
    fTimer.start(5);
}

void ObservadorDeCaixas::verificar() {
    auto* caixa = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (caixa == nullptr || !caixa->isVisible())
        return;
    fCaixas.push_back({caixa->windowTitle(), caixa->text(), caixa->icon(), caixa->standardButtons(),
                       caixa->windowModality()});
    if (QAbstractButton* ok = caixa->button(QMessageBox::Ok))
        ok->click();
    else
        caixa->close();
}

GravadorDeLancamentos::GravadorDeLancamentos()
    : fAnterior(trocarLancadorDoInterpretador(
          [this](const std::string& parametros) { fComandos.push_back(parametros); })) {}

GravadorDeLancamentos::~GravadorDeLancamentos() {
    trocarLancadorDoInterpretador(fAnterior);
}

std::vector<std::string>& argumentosDoProcessoDeTeste() {
    static std::vector<std::string> argumentos;
    return argumentos;
}

std::vector<std::string> palavrasDoVisualizador(const std::string& comando) {
    const std::string marca = " Marvoss ";
    const auto inicio = comando.find(marca);
    if (inicio == std::string::npos)
        return {};
    std::istringstream resto(comando.substr(inicio + marca.size()));
    std::vector<std::string> palavras;
    for (std::string palavra; resto >> palavra;)
        palavras.push_back(palavra);
    return palavras;
}
