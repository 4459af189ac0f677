#include "data/ConexaoBanco.h"
#include "data/UnDM.h"
#include "platform/caminho_programa.h"
#include "tests/support/servidor_pg_gtest.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <thread>

namespace {

const std::string senhaRelatorio = "senha-relatorio";
const std::string senhaDificil = "a b'c\\d e";
const std::string bancosComPalavraEmbutida[] = {"banco port=1", "banco\tport=1", "banco\nport=1",
                                                "banco\\' port=1"};

std::string texto(int numero) {
    return std::to_string(numero);
}

// A port of the loopback where nothing listens.
int portaFechada() {
    const int soquete = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in endereco{};
    endereco.sin_family = AF_INET;
    endereco.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t tamanho = sizeof endereco;
    bind(soquete, reinterpret_cast<sockaddr*>(&endereco), tamanho);
    getsockname(soquete, reinterpret_cast<sockaddr*>(&endereco), &tamanho);
    close(soquete);
    return ntohs(endereco.sin_port);
}

class ConexaoBanco : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        nomearAplicacaoParaOServidor(); // as the program does first thing
        const ServidorPgTeste& servidor = servidorPgDoTeste();
        servidor.criarPapel("relatorio", senhaRelatorio);
        servidor.criarPapel("dificil", senhaDificil);
        servidor.criarBanco("empresa", "relatorio");
        for (const std::string& banco : bancosComPalavraEmbutida)
            servidor.criarBanco(banco, "relatorio");
    }

    void SetUp() override { DM = new TDM; }
    void TearDown() override { delete DM; }

    static std::string porta() { return texto(servidorPgDoTeste().porta()); }

    // Database, client address and state of the server's connections from `usuario`.
    static std::string conexoesDe(const std::string& usuario) {
        return servidorPgDoTeste().consultar(
            "SELECT datname, client_addr, application_name, state FROM pg_stat_activity "
            "WHERE usename = '" +
            usuario + "' ORDER BY datname");
    }

    // The server ends a backend shortly after its client has gone.
    static bool semConexoesDe(const std::string& usuario) {
        for (int tentativa = 0; tentativa < 100; ++tentativa) {
            if (conexoesDe(usuario).empty())
                return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        }
        return false;
    }
};

} // namespace

TEST_F(ConexaoBanco, AbertaEOciosaNoServidorAteODMSerDestruido) {
    DM->conectar("127.0.0.1", porta(), "relatorio", senhaRelatorio, "empresa");
    EXPECT_TRUE(DM->FDConnection1.aberta());
    EXPECT_EQ(conexoesDe("relatorio"), "empresa|127.0.0.1|RelLicensaCliente|idle");

    const std::string programa = plataforma::caminhoDoPrograma();
    EXPECT_EQ(DM->FDPhysPgDriverLink1.VendorHome,
              programa.substr(0, programa.rfind('/') + 1) + "DLL");
    EXPECT_EQ(DM->FDPhysPgDriverLink1.VendorLib, "libpq.so.5");
    const std::vector<std::string> linhas = {
        "DriverID=PG",         "server=127.0.0.1",           "port=" + porta(),
        "user_name=relatorio", "password=" + senhaRelatorio, "database=empresa"};
    EXPECT_EQ(DM->FDConnection1.Parametros.linhas(), linhas);

    delete DM;
    EXPECT_EQ(DM, nullptr);
    EXPECT_TRUE(semConexoesDe("relatorio"));
}

// The program's name reaches the server through libpq's PGAPPNAME; a name that the site set
// there before the program started wins and stays as it is.
TEST_F(ConexaoBanco, NomeDaAplicacaoParaOServidor) {
    DM->conectar("127.0.0.1", porta(), "relatorio", senhaRelatorio, "empresa");
    EXPECT_EQ(conexoesDe("relatorio"), "empresa|127.0.0.1|RelLicensaCliente|idle");
    delete DM;
    DM = nullptr;
    ASSERT_TRUE(semConexoesDe("relatorio"));

    setenv("PGAPPNAME", "Nome do site", 1);
    nomearAplicacaoParaOServidor();
    DM = new TDM;
    DM->conectar("127.0.0.1", porta(), "relatorio", senhaRelatorio, "empresa");
    EXPECT_EQ(conexoesDe("relatorio"), "empresa|127.0.0.1|Nome do site|idle");
    EXPECT_STREQ(std::getenv("PGAPPNAME"), "Nome do site");
    setenv("PGAPPNAME", "RelLicensaCliente", 1);
}

TEST_F(ConexaoBanco, ServidorPorNomeOuPorEnderecoIPv4) {
    for (const char* servidor : {"localhost", "127.0.0.1"}) {
        SCOPED_TRACE(servidor);
        TDM modulo;
        modulo.conectar(servidor, porta(), "relatorio", senhaRelatorio, "empresa");
        EXPECT_TRUE(modulo.FDConnection1.aberta());
    }
    EXPECT_TRUE(semConexoesDe("relatorio"));
}

TEST_F(ConexaoBanco, SenhaComBrancoApostrofoEBarraInvertida) {
    DM->conectar("127.0.0.1", porta(), "dificil", senhaDificil, "");
    EXPECT_EQ(conexoesDe("dificil"), "postgres|127.0.0.1|RelLicensaCliente|idle");
}

TEST_F(ConexaoBanco, ValorNaoAcrescentaPalavraAStringDeConexao) {
    // Honoured, the embedded "port=1" would send the attempt to a closed port.
    for (const std::string& banco : bancosComPalavraEmbutida) {
        SCOPED_TRACE(banco);
        TDM modulo;
        modulo.conectar("127.0.0.1", porta(), "relatorio", senhaRelatorio, banco);
        EXPECT_EQ(conexoesDe("relatorio"), banco + "|127.0.0.1|RelLicensaCliente|idle");
    }
}

TEST_F(ConexaoBanco, NovoPassoDeConexaoFechaOAnterior) {
    DM->conectar("127.0.0.1", porta(), "relatorio", senhaRelatorio, "empresa");
    DM->conectar("127.0.0.1", porta(), "relatorio", senhaRelatorio, "");
    for (int tentativa = 0;
         tentativa < 100 && conexoesDe("relatorio").find('\n') != std::string::npos; ++tentativa)
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    EXPECT_EQ(conexoesDe("relatorio"), "postgres|127.0.0.1|RelLicensaCliente|idle");
}

TEST_F(ConexaoBanco, TentativaRecusadaComOTextoDaLibpq) {
    const std::string fechada = texto(portaFechada());
    const std::string prefixo =
        "[Conexao][Phys][PG][libpq] connection to server at \"127.0.0.1\", port ";
    struct Caso {
        const char* nome;
        std::string porta, usuario, senha, banco, mensagem;
    } casos[] = {
        {"senha errada", porta(), "relatorio", "errada", "empresa",
         prefixo + porta() +
             " failed: FATAL:  password authentication failed for user \"relatorio\"\n"},
        {"sem senha, sem perguntar", porta(), "relatorio", "", "empresa",
         prefixo + porta() + " failed: fe_sendauth: no password supplied\n"},
        {"banco inexistente", porta(), "relatorio", senhaRelatorio, "naoexiste",
         prefixo + porta() + " failed: FATAL:  database \"naoexiste\" does not exist\n"},
        {"porta fechada", fechada, "relatorio", senhaRelatorio, "empresa",
         prefixo + fechada +
             " failed: Connection refused\n\tIs the server running on that host and accepting "
             "TCP/IP connections?\n"},
    };
    for (const Caso& caso : casos) {
        SCOPED_TRACE(caso.nome);
        TDM modulo;
        try {
            modulo.conectar("127.0.0.1", caso.porta, caso.usuario, caso.senha, caso.banco);
            ADD_FAILURE() << "connected";
        } catch (const ErroBanco& erro) {
            EXPECT_EQ(erro.what(), caso.mensagem);
        }
        EXPECT_FALSE(modulo.FDConnection1.aberta());
    }
    EXPECT_TRUE(semConexoesDe("relatorio"));
}
