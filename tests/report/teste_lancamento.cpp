// Starts the viewer through the real launch: the real POSIX shell runs the command, and a
// stand-in "java" of these tests, found first on PATH, records the words it receives, writes to
// its error output and ends as each test asks.

#include "platform/interpretador.h"
#include "report/UnRelatorioJasper.h"
#include "tests/report/exemplo_trabalhado.h"
#include "tests/report/mensagem_gravada.h"
#include "tests/support/fim_do_interpretador.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <thread>

namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

// A fresh folder under the system's temporary folder, removed with everything in it at the end.
class PastaTemporaria {
public:
    PastaTemporaria() {
        std::string modelo = (fs::temp_directory_path() / "lancamento-XXXXXX").string();
        if (!mkdtemp(modelo.data()))
            throw std::runtime_error("mkdtemp");
        fCaminho = modelo;
    }
    ~PastaTemporaria() {
        std::error_code ignorado;
        fs::remove_all(fCaminho, ignorado);
    }
    PastaTemporaria(const PastaTemporaria&) = delete;
    PastaTemporaria& operator=(const PastaTemporaria&) = delete;
    const fs::path& caminho() const { return fCaminho; }

private:
    fs::path fCaminho;
};

// Puts the stand-in "java" first on PATH, tells it where to write, and keeps the interpreters
// that the launch starts, as the program's watcher would.
class LancamentoReal : public ::testing::Test {
protected:
    void SetUp() override {
        MensagensGravadas().clear();
        trocarLancadorDoInterpretador(nullptr);
        fVigiaAnterior = trocarVigiaDoInterpretador(
            [this](std::unique_ptr<plataforma::InterpretadorIniciado> i) {
                fIniciados.push_back(std::move(i));
            });
        const fs::path bin = fTemporaria.caminho() / "bin";
        fs::create_directory(bin);
        fs::copy_file(JAVA_SUBSTITUTO, bin / "java");
        fs::permissions(bin / "java", fs::perms::owner_all | fs::perms::group_read |
                                          fs::perms::group_exec | fs::perms::others_read |
                                          fs::perms::others_exec);
        const char* path = std::getenv("PATH");
        setenv("PATH", (bin.string() + ":" + (path ? path : "/usr/bin:/bin")).c_str(), 1);
        setenv("JAVA_SUBSTITUTO_SAIDA", saida().c_str(), 1);
        for (const char* variavel :
             {"JAVA_SUBSTITUTO_LIBERACAO", "JAVA_SUBSTITUTO_VOLUME", "JAVA_SUBSTITUTO_ERROS",
              "JAVA_SUBSTITUTO_VIVO", "JAVA_SUBSTITUTO_SINAL", "JAVA_SUBSTITUTO_CODIGO"})
            unsetenv(variavel);
    }
    void TearDown() override { trocarVigiaDoInterpretador(std::move(fVigiaAnterior)); }

    fs::path saida() const { return fTemporaria.caminho() / "palavras"; }

    // The words the stand-in received, once it has written them (10 s at most).
    std::vector<std::string> palavrasRecebidas() const {
        const auto limite = std::chrono::steady_clock::now() + 10s;
        while (!fs::exists(saida()) && std::chrono::steady_clock::now() < limite)
            std::this_thread::sleep_for(10ms);
        std::ifstream arquivo(saida(), std::ios::binary);
        if (!arquivo)
            return {};
        const std::string conteudo{std::istreambuf_iterator<char>(arquivo), {}};
        std::vector<std::string> palavras;
        for (std::size_t inicio = 0; inicio < conteudo.size();) {
            const std::size_t fim = conteudo.find('\0', inicio);
            palavras.push_back(conteudo.substr(inicio, fim - inicio));
            inicio = fim + 1;
        }
        return palavras;
    }

    static std::vector<std::string> palavrasEsperadas(const std::string& pasta) {
        return {"-jar",
                pasta + "/jasperviewer.jar",
                "Marvoss",
                pasta + "/relatorios/mv_relacao_licensa_cliente",
                "PDF",
                "N",
                "P_DTDE=2024-03-01",
                "P_DTATE=2024-03-31",
                "P_DTDE2=2024-03-01",
                "P_DTATE2=2024-03-31",
                "P_CBQD=N",
                "P_CBQD2=S",
                "P_ORDEM=0"};
    }

    PastaTemporaria fTemporaria;
    std::vector<std::unique_ptr<plataforma::InterpretadorIniciado>> fIniciados;
    VigiaDoInterpretador fVigiaAnterior;
};

// What the viewer needs in the program's folder; the stand-in java reads neither.
void colocarOVisualizador(const fs::path& pasta) {
    std::ofstream(pasta / "jasperviewer.jar") << "";
    fs::create_directory(pasta / "relatorios");
}

// How the copied program ended: its exit code (1: it showed a warning; -1: it did not end) and
// the warnings it showed, one per line.
struct Execucao {
    int codigo;
    std::string avisos;
};

// Copies the program reduced to its print action into `pasta`, runs it in its own process group
// from the folder `trabalho`, its error output into a file beside `pasta`. Whatever is left in its
// process group then goes with it; the viewer must not be there.
Execucao executarCopiaDoPrograma(const fs::path& pasta, const fs::path& trabalho) {
    const fs::path programa = pasta / "RelLicensaCliente";
    const fs::path avisos = pasta.parent_path() / "avisos-do-programa";
    fs::copy_file(PROGRAMA_INSTALADO, programa);
    fs::permissions(programa, fs::perms::owner_all);
    const pid_t processo = fork();
    if (processo == 0) {
        setpgid(0, 0);
        const int arquivo = open(avisos.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        if (arquivo >= 0 && dup2(arquivo, STDERR_FILENO) >= 0 && chdir(trabalho.c_str()) == 0)
            execl(programa.c_str(), programa.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    int estado = 0;
    const bool terminou = processo > 0 && waitpid(processo, &estado, 0) == processo;
    if (processo > 0)
        kill(-processo, SIGKILL);
    std::ifstream lidos(avisos);
    return {terminou && WIFEXITED(estado) ? WEXITSTATUS(estado) : -1,
            {std::istreambuf_iterator<char>(lidos), {}}};
}

// True when this process has no child left, neither running nor waiting to be reaped.
bool semFilhos() {
    return waitpid(-1, nullptr, WNOHANG) == -1 && errno == ECHILD;
}

TEST_F(LancamentoReal, ExecutarIniciaOVisualizadorSemDeixarProcessoNemDescritor) {
    // A descriptor that the viewer must not inherit, though it is not marked close-on-exec.
    const fs::path marcador = fTemporaria.caminho() / "marcador";
    std::ofstream(marcador) << "x";
    const int descritor = open(marcador.c_str(), O_RDONLY);
    ASSERT_GE(descritor, 0);

    TRelatorioVisualizador relatorio(relatorioDoExemplo);
    AdicionarParametrosDoExemplo(relatorio);
    relatorio.executar(TFormatoSaida::tsPDF);
    close(descritor);

    EXPECT_TRUE(MensagensGravadas().empty());
    ASSERT_EQ(fIniciados.size(), 1u) << "the launch did not hand its interpreter to the watcher";
    ASSERT_TRUE(seguirAteOFim(*fIniciados[0]));
    EXPECT_EQ(fIniciados[0]->codigoDeSaida(), 0);
    EXPECT_TRUE(semFilhos()) << "the interpreter was not reaped at its end";
    const std::string pasta = fs::read_symlink("/proc/self/exe").parent_path().string();
    EXPECT_EQ(palavrasRecebidas(), palavrasEsperadas(pasta));

    std::ifstream descritores(saida().string() + ".descritores");
    const std::string abertos{std::istreambuf_iterator<char>(descritores), {}};
    EXPECT_FALSE(abertos.empty());
    EXPECT_EQ(abertos.find(marcador.string()), std::string::npos) << abertos;
}

TEST_F(LancamentoReal, ProgramaInstaladoEmPastaComCaracteresDoShell) {
    // Each stretch would create a canary file in the program's current folder if the shell
    // read the folder name as code.
    const std::string nome = "pasta com brancos ;touch canario1 &touch canario2 "
                             "$(touch canario3) `touch canario4` 'simples' \"duplas\" "
                             "|touch canario5 >canario6 \ntouch canario7 (x) <y *?~#%^\\ {a,b}";
    const fs::path pasta = fTemporaria.caminho() / nome;
    const fs::path trabalho = fTemporaria.caminho() / "trabalho";
    const fs::path liberacao = fTemporaria.caminho() / "liberacao";
    fs::create_directory(pasta);
    fs::create_directory(trabalho);
    colocarOVisualizador(pasta);
    // The stand-in waits for this file, so it is still running when the program has exited.
    setenv("JAVA_SUBSTITUTO_LIBERACAO", liberacao.c_str(), 1);

    const Execucao execucao = executarCopiaDoPrograma(pasta, trabalho);
    EXPECT_EQ(execucao.codigo, 0) << "the program showed a warning or did not start";
    EXPECT_EQ(execucao.avisos, "");
    std::ofstream(liberacao) << "";

    EXPECT_EQ(palavrasRecebidas(), palavrasEsperadas(pasta.string()));
    EXPECT_TRUE(fs::is_empty(trabalho)) << "a piece of the folder name ran as a command";
    EXPECT_TRUE(semFilhos());
}

// A folder without the viewer's files, as a half-removed installation leaves it: the warning,
// then the launch as always.
TEST_F(LancamentoReal, SemOsArquivosDoVisualizadorAvisaELancaMesmoAssim) {
    const fs::path pasta = fTemporaria.caminho() / "sem visor";
    fs::create_directory(pasta);
    const Execucao execucao = executarCopiaDoPrograma(pasta, fTemporaria.caminho());
    EXPECT_EQ(execucao.codigo, 1);
    EXPECT_EQ(execucao.avisos, avisoDeVisualizadorAusente(pasta.string()) + "\n");
    EXPECT_NE(execucao.avisos.find("jasperviewer.jar"), std::string::npos) << execucao.avisos;
    EXPECT_EQ(palavrasRecebidas(), palavrasEsperadas(pasta.string()));
}

// The viewer's files where the user may not read them: said so, not called missing. The check
// runs in a child process as an ordinary user ("nobody" where the tests run as root, who may read
// anything).
TEST_F(LancamentoReal, ArquivosDoVisualizadorIlegiveisNaoSaoDadosComoAusentes) {
    const fs::path pasta = fTemporaria.caminho() / "visor ilegível";
    fs::create_directory(pasta);
    colocarOVisualizador(pasta);
    fs::permissions(fTemporaria.caminho(), fs::perms::all);
    const fs::path resultado = fTemporaria.caminho() / "aviso";
    const auto avisoComoUsuarioComum = [&] {
        fs::remove(resultado);
        const pid_t processo = fork();
        if (processo == 0) {
            if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0))
                _exit(77);
            std::ofstream(resultado) << avisoDeVisualizadorAusente(pasta.string());
            _exit(0);
        }
        int estado = 0;
        waitpid(processo, &estado, 0);
        std::ifstream lido(resultado);
        return WIFEXITED(estado) && WEXITSTATUS(estado) == 0
                   ? std::string{std::istreambuf_iterator<char>(lido), {}}
                   : "the child failed";
    };
    const std::string nome = pasta.string();
    const std::string visor = "o visualizador de relatórios (jasperviewer.jar)";
    const std::string relatorios = "a pasta dos relatórios (relatorios)";
    const std::string corrigir = " O relatório não poderá ser aberto; peça ao administrador que "
                                 "dê aos usuários permissão de leitura.";

    fs::permissions(pasta, fs::perms::all);
    fs::permissions(pasta / "jasperviewer.jar", fs::perms::none);
    EXPECT_EQ(avisoComoUsuarioComum(), "Não há permissão para ler " + visor +
                                           " na pasta do programa (" + nome + ")." + corrigir);

    // A folder the user may not look into: nothing in it can be read, nor said to be missing.
    fs::permissions(pasta, fs::perms::owner_all);
    EXPECT_EQ(avisoComoUsuarioComum(), "Não há permissão para ler " + visor + " nem " + relatorios +
                                           " na pasta do programa (" + nome + ")." + corrigir);

    // One missing, the other unreadable: both said, and reinstalling mends both.
    fs::permissions(pasta, fs::perms::all);
    fs::remove_all(pasta / "relatorios");
    EXPECT_EQ(avisoComoUsuarioComum(),
              "Não foi possível encontrar na pasta do programa (" + nome + ") " + relatorios +
                  ". Não há permissão para ler " + visor + " na pasta do programa (" + nome +
                  "). O relatório não poderá ser aberto; reinstale o programa ou peça ao "
                  "administrador que o reinstale.");
    fs::permissions(pasta / "jasperviewer.jar", fs::perms::owner_all);
}

TEST_F(LancamentoReal, FalhaAoIniciarOShellViraAviso) {
    // A child process that may start no process at all: the launch must fail visibly.
    const pid_t processo = fork();
    ASSERT_GE(processo, 0);
    if (processo == 0) {
        // The process limit does not bind a privileged user: run as nobody.
        if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0))
            _exit(77);
        const rlimit nenhum{0, 0};
        if (setrlimit(RLIMIT_NPROC, &nenhum) != 0)
            _exit(77);
        TRelatorioVisualizador relatorio("rel");
        try {
            relatorio.executar(TFormatoSaida::tsPDF);
        } catch (...) {
            _exit(2);
        }
        const auto& mensagens = MensagensGravadas();
        const bool avisou = mensagens.size() == 1 && mensagens[0].tipo == Advertencia &&
                            mensagens[0].texto.rfind(
                                "Não foi possível iniciar o interpretador de comandos", 0) == 0;
        _exit(avisou ? 0 : 3);
    }
    int estado = 0;
    ASSERT_EQ(waitpid(processo, &estado, 0), processo);
    ASSERT_TRUE(WIFEXITED(estado));
    if (WEXITSTATUS(estado) == 77)
        GTEST_SKIP() << "cannot drop the right to start processes here";
    EXPECT_EQ(WEXITSTATUS(estado), 0) << "2: error reached the caller; 3: no single warning";
    EXPECT_FALSE(fs::exists(saida()));
}

TEST_F(LancamentoReal, SemAChaveCNadaEIniciado) {
    const std::string semChave[] = {"", "   ", "java -jar x", "/k java -jar x", "c java"};
    for (const std::string& parametros : semChave) {
        SCOPED_TRACE(parametros);
        EXPECT_THROW(plataforma::iniciarInterpretadorOculto(parametros), std::invalid_argument);
    }
    EXPECT_TRUE(semFilhos());
    // Upper-case switch and no blank before the command, as the Windows interpreter takes them.
    auto interpretador = plataforma::iniciarInterpretadorOculto("/Cjava um 'dois tres'");
    EXPECT_EQ(palavrasRecebidas(), (std::vector<std::string>{"um", "dois tres"}));
    EXPECT_TRUE(seguirAteOFim(*interpretador));
}

// The exit code of the viewer, through the interpreter, and the end of what it wrote to its error
// output, however much that was.
TEST_F(LancamentoReal, FimECodigoDeSaidaEFinalDosErros) {
    struct Caso {
        const char* nome;
        std::vector<std::pair<const char*, const char*>> ambiente;
        int codigo;
        std::string finalDosErros;
        bool cortado;
    };
    const std::string jarCorrompido = "Error: Invalid or corrupt jarfile /x/jasperviewer.jar\n";
    const Caso casos[] = {
        {"success, having written", {{"JAVA_SUBSTITUTO_ERROS", "aviso\n"}}, 0, "aviso\n", false},
        {"failure",
         {{"JAVA_SUBSTITUTO_ERROS", jarCorrompido.c_str()}, {"JAVA_SUBSTITUTO_CODIGO", "1"}},
         1,
         jarCorrompido,
         false},
        {"failure in silence", {{"JAVA_SUBSTITUTO_CODIGO", "3"}}, 3, "", false},
        {"a signal", {{"JAVA_SUBSTITUTO_SINAL", "ABRT"}}, 128 + SIGABRT, "", false},
        {"a flood, then the words",
         {{"JAVA_SUBSTITUTO_VOLUME", "4"},
          {"JAVA_SUBSTITUTO_ERROS", "última linha\n"},
          {"JAVA_SUBSTITUTO_CODIGO", "1"}},
         1,
         "última linha\n",
         true},
    };
    for (const Caso& caso : casos) {
        SCOPED_TRACE(caso.nome);
        for (const auto& [variavel, valor] : caso.ambiente)
            setenv(variavel, valor, 1);
        auto interpretador = plataforma::iniciarInterpretadorOculto("/c java -jar x");
        ASSERT_TRUE(seguirAteOFim(*interpretador, 30s));
        EXPECT_EQ(interpretador->codigoDeSaida(), caso.codigo);
        const plataforma::FinalDoFluxo& erros = interpretador->finalDosErros();
        EXPECT_EQ(erros.cortado(), caso.cortado);
        // The shell may add its own words before the end (dash: "Aborted").
        EXPECT_TRUE(erros.texto().ends_with(caso.finalDosErros)) << erros.texto();
        if (caso.cortado) {
            EXPECT_EQ(erros.texto().size(), plataforma::InterpretadorIniciado::bytesGuardados);
        }
        for (const auto& [variavel, valor] : caso.ambiente)
            unsetenv(variavel);
    }
    EXPECT_TRUE(semFilhos());
}

// The program ends (here: stops following) while the viewer runs; what the viewer writes to its
// error output afterwards goes nowhere, and it goes on.
TEST_F(LancamentoReal, VisualizadorSobreviveAoFimDoAcompanhamento) {
    const fs::path liberacao = fTemporaria.caminho() / "liberacao";
    const fs::path vivo = fTemporaria.caminho() / "vivo";
    setenv("JAVA_SUBSTITUTO_LIBERACAO", liberacao.c_str(), 1);
    setenv("JAVA_SUBSTITUTO_VOLUME", "1", 1); // more than a pipe holds
    setenv("JAVA_SUBSTITUTO_VIVO", vivo.c_str(), 1);
    // Released at once: the stand-in is still waiting for its release.
    static_cast<void>(plataforma::iniciarInterpretadorOculto("/c java -jar x"));
    std::ofstream(liberacao) << "";
    int estado = 0;
    ASSERT_GT(waitpid(-1, &estado, 0), 0);
    EXPECT_TRUE(WIFEXITED(estado)) << "ended by signal " << WTERMSIG(estado);
    EXPECT_TRUE(fs::exists(vivo)) << "the viewer did not live on after writing";
}

} // namespace
