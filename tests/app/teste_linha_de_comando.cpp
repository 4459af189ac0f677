#include "app/LinhaDeComando.h"
#include "platform/linha_de_comando.h"

#include "tests/app/apoio.h"

#include <QCoreApplication>
#include <QProcess>

#include <gtest/gtest.h>

namespace {

// The eight arguments a parent application passes, a password with a blank among them.
const QStringList argumentosDoPai{"srv-banco", "5432", "relatorio", "minha senha",
                                  "empresa",   "12",   "34",        "joao"};

} // namespace

// This test program's own command line, as the system hands it over: on POSIX the argument
// vector itself, taken as it is. Reading it changes nothing, so a second reading agrees.
TEST(LinhaDeComandoDoProcesso, LidaComoOSistemaAEntregaESemEfeitos) {
    const plataforma::LinhaDeComando linha = plataforma::linhaDeComandoDoProcesso();
    EXPECT_FALSE(linha.bruta.has_value());
    EXPECT_EQ(linha.vetor, argumentosDoProcessoDeTeste());
    EXPECT_EQ(lerArgumentosDoProcesso(), argumentosDoVetor(argumentosDoProcessoDeTeste()));
    EXPECT_EQ(lerArgumentosDoProcesso(), argumentosDoVetor(argumentosDoProcessoDeTeste()));
}

// Run by the test below in a child of its own, started with the parent application's eight
// arguments before its test options, so that masking there leaves this process's line alone.
TEST(ArgumentosDaPartida, DISABLED_NoProcessoComOsOitoArgumentos) {
    const std::vector<std::string> antes = plataforma::linhaDeComandoDoProcesso().vetor;
    ASSERT_GE(antes.size(), 9u);
    ASSERT_EQ(antes[4], "minha senha");

    // A stretch past the end of the argument area is not written.
    std::size_t tamanho = 0;
    for (const std::string& item : antes)
        tamanho += item.size() + 1;
    plataforma::mascararNaLinhaDeComando(0, tamanho + 1);
    EXPECT_EQ(plataforma::linhaDeComandoDoProcesso().vetor, antes);

    const ArgumentosDaPartida argumentos = ArgumentosDaPartida::lerEMascarar();
    EXPECT_EQ(argumentos(), argumentosDoVetor(antes));
    EXPECT_EQ(argumentos(), argumentosDoVetor(antes)) << "read again";
    std::vector<std::string> visivel = antes;
    visivel[4] = "***********";
    EXPECT_EQ(plataforma::linhaDeComandoDoProcesso().vetor, visivel);
}

// The arguments are read once, first thing, and the password is then masked where ps and
// /proc/PID/cmdline show it; the values handed on are the ones the parent passed.
TEST(ArgumentosDaPartida, LidosUmaVezEASenhaMascaradaEmSeguida) {
    QProcess filho;
    filho.setProcessChannelMode(QProcess::ForwardedChannels);
    filho.start(QCoreApplication::applicationFilePath(),
                argumentosDoPai + QStringList{"--gtest_filter=ArgumentosDaPartida.DISABLED_*",
                                              "--gtest_also_run_disabled_tests"});
    ASSERT_TRUE(filho.waitForFinished(60000));
    EXPECT_EQ(filho.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(filho.exitCode(), 0);
}
