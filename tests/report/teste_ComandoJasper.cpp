#include "report/ComandoJasper.h"

#include "tests/report/exemplo_trabalhado.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <stdexcept>

namespace {

struct CasoDePasta {
    const char* caminho;
    char separador;
    const char* pasta;
};

TEST(PastaDoPrograma, CortaNoUltimoSeparadorEGuardaARaiz) {
    const CasoDePasta casos[] = {
        {R"(C:\App\app.exe)", '\\', R"(C:\App)"},
        {R"(C:\app.exe)", '\\', R"(C:\)"},
        {R"(C:app.exe)", '\\', "C:"},
        {R"(\app.exe)", '\\', R"(\)"},
        {R"(\\servidor\pasta\app.exe)", '\\', R"(\\servidor\pasta)"},
        {R"(C:\App\\app.exe)", '\\', R"(C:\App\\)"},
        {"app.exe", '\\', ""},
        {"/opt/app/programa", '/', "/opt/app"},
        {"/programa", '/', "/"},
        {"programa", '/', ""},
        {"/opt/a:b", '/', "/opt"},
        {"/srv/c:/programa", '/', "/srv/c:"},
        {"/opt//programa", '/', "/opt//"},
    };
    for (const auto& caso : casos) {
        SCOPED_TRACE(caso.caminho);
        EXPECT_EQ(PastaDoPrograma(caso.caminho, caso.separador), caso.pasta);
    }
}

TEST(MontarComandoJasper, ExemploTrabalhadoByteAByte) {
    const std::string esperado =
        R"( /c java -jar C:\App\jasperviewer.jar  Marvoss C:\App\relatorios\mv_relacao_licensa_cliente PDF N  )"
        "P_DTDE=2024-03-01 P_DTATE=2024-03-31 P_DTDE2=2024-03-01 P_DTATE2=2024-03-31 P_CBQD=N "
        "P_CBQD2=S P_ORDEM=0";
    const std::string comando = MontarComandoJasper(R"(C:\App\app.exe)", '\\', relatorioDoExemplo,
                                                    parametrosDoExemplo, "PDF", "N");
    EXPECT_EQ(comando, esperado);
    EXPECT_EQ(comando.size(), 203u);
    EXPECT_EQ(parametrosDoExemplo.size(), 105u);
}

struct CasoDeComando {
    const char* descricao;
    const char* caminho;
    char separador;
    const char* parametros;
    const char* formato;
    const char* comando;
};

TEST(MontarComandoJasper, PecasNaOrdemParaCadaInstalacao) {
    const CasoDeComando casos[] = {
        {"raiz do disco: uma barra so", R"(C:\app.exe)", '\\', "", "PDF",
         R"( /c java -jar C:\jasperviewer.jar  Marvoss C:\relatorios\rel PDF N)"},
        {"sem parâmetros nada segue o N", R"(C:\App\app.exe)", '\\', "", "VIS",
         R"( /c java -jar C:\App\jasperviewer.jar  Marvoss C:\App\relatorios\rel VIS N)"},
        {"formato vazio deixa dois brancos", R"(C:\App\app.exe)", '\\', " A=1", "",
         R"( /c java -jar C:\App\jasperviewer.jar  Marvoss C:\App\relatorios\rel  N  A=1)"},
        {"pasta com brancos entre aspas", R"(C:\Program Files\App\app.exe)", '\\', " A=1", "XLS",
         R"( /c java -jar "C:\Program Files\App"\jasperviewer.jar  Marvoss "C:\Program Files\App"\relatorios\rel XLS N  A=1)"},
        {"pasta comum no POSIX", "/opt/app/RelLicensaCliente", '/', " A=1 A=2", "HTML",
         " /c java -jar /opt/app/jasperviewer.jar  Marvoss /opt/app/relatorios/rel HTML N  A=1 "
         "A=2"},
        {"raiz no POSIX", "/RelLicensaCliente", '/', "", "PDF",
         " /c java -jar /jasperviewer.jar  Marvoss /relatorios/rel PDF N"},
        {"pasta com brancos no POSIX", "/opt/meu app/RelLicensaCliente", '/', "", "PDF",
         " /c java -jar '/opt/meu app'/jasperviewer.jar  Marvoss '/opt/meu app'/relatorios/rel PDF "
         "N"},
    };
    for (const auto& caso : casos) {
        SCOPED_TRACE(caso.descricao);
        EXPECT_EQ(MontarComandoJasper(caso.caminho, caso.separador, "rel", caso.parametros,
                                      caso.formato, "N"),
                  caso.comando);
    }
}

TEST(PastaParaInterpretador, WindowsUsaAspasDuplasEEscapaPorcento) {
    const std::pair<const char*, const char*> casos[] = {
        {R"(C:\App)", R"(C:\App)"},
        {R"(C:\)", R"(C:\)"},
        {"C:\\Relat\xC3\xB3rios\\v1.0_final-2", "C:\\Relat\xC3\xB3rios\\v1.0_final-2"},
        {R"(\\servidor\pasta$)", R"(\\servidor\pasta$)"},
        {R"(C:\Program Files (x86)\App)", R"("C:\Program Files (x86)\App")"},
        {R"(C:\A&B|C<D>E^F;G,H=I)", R"("C:\A&B|C<D>E^F;G,H=I")"},
        // Each percent sign stands outside the quotes with a quote on each side.
        {R"(C:\100%)", R"("C:\100"%"")"},
        {R"(C:\a%%b)", R"("C:\a"%""%"b")"},
        // The backslashes before a closing quote are doubled so that the program still reads them.
        {R"(C:\x\%PATH%\y)", R"("C:\x\\"%"PATH"%"\y")"},
        {R"(%TEMP%\App)", R"(""%"TEMP"%"\App")"},
    };
    for (const auto& [pasta, palavra] : casos) {
        SCOPED_TRACE(pasta);
        EXPECT_EQ(PastaParaInterpretador(pasta, '\\'), palavra);
    }
    for (const char* impossivel : {"C:\\a\"b", "C:\\a\nb"}) {
        SCOPED_TRACE(impossivel);
        EXPECT_THROW(PastaParaInterpretador(impossivel, '\\'), std::invalid_argument);
    }
}

#ifndef _WIN32
// What the POSIX shell makes of `palavra` as an argument. (How cmd.exe reads the Windows form is
// tested under Wine, end to end and by the fuzz target of the viewer command.)
std::string ComoOShellLe(const std::string& palavra) {
    const std::string comando = "printf '%s' " + palavra;
    std::unique_ptr<FILE, int (*)(FILE*)> saida(popen(comando.c_str(), "r"), pclose);
    if (!saida)
        throw std::runtime_error("popen");
    std::string lido;
    char bloco[256];
    for (std::size_t n; (n = std::fread(bloco, 1, sizeof bloco, saida.get())) > 0;)
        lido.append(bloco, n);
    return lido;
}

TEST(PastaParaInterpretador, ShellRecebeAPastaInteiraComoUmaPalavra) {
    const char* semAspas[] = {
        "/opt/app",
        "/",
        "/opt/relat\xC3\xB3rios/v1.0_a-b+c,d=e:f@g%h",
    };
    for (const char* pasta : semAspas) {
        SCOPED_TRACE(pasta);
        EXPECT_EQ(PastaParaInterpretador(pasta, '/'), pasta);
    }
    EXPECT_EQ(PastaParaInterpretador("/opt/it's", '/'), R"('/opt/it'\''s')");

    const char* especiais[] = {
        "/opt/meu app",
        "/opt/a;touch canario",
        "/opt/a&b|c",
        "/opt/$(touch canario)",
        "/opt/`touch canario`",
        "/opt/$HOME/${PATH}",
        "/opt/'simples' \"duplas\"",
        "/opt/''",
        "/opt/a\\b\\",
        "/opt/(x)<y>",
        "/opt/*?[a]~#^!{a,b}",
        "/opt/linha\nnova\tcom tab",
    };
    for (const char* pasta : especiais) {
        SCOPED_TRACE(pasta);
        const std::string palavra = PastaParaInterpretador(pasta, '/');
        EXPECT_NE(palavra, pasta);
        EXPECT_EQ(ComoOShellLe(palavra + "/jasperviewer.jar"),
                  std::string(pasta) + "/jasperviewer.jar");
    }
}

#endif

} // namespace
