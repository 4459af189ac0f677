#include "data/ConexaoBanco.h"
#include "data/ErroBanco.h"
#include "platform/arquitetura.h"
#include "platform/biblioteca_dinamica.h"
#include "tests/support/servidor_pg.h"

#include <gtest/gtest.h>

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <vector>

namespace fs = std::filesystem;

namespace {

class PastaTemporaria {
public:
    PastaTemporaria() {
        char modelo[] = "/tmp/lancador-carga-XXXXXX";
        if (mkdtemp(modelo) == nullptr)
            throw std::runtime_error("mkdtemp failed");
        fCaminho = modelo;
    }
    ~PastaTemporaria() { fs::remove_all(fCaminho); }
    const fs::path& caminho() const { return fCaminho; }

private:
    fs::path fCaminho;
};

// Opens a connection whose library is looked for below `vendorHome`; the message of the error
// raised, or "" when it opened.
std::string mensagemAoAbrir(const std::string& vendorHome, TParametrosConexao parametros = {}) {
    TLigacaoDriverPg driver;
    driver.VendorHome = vendorHome;
    driver.VendorLib = nomeArquivoLibpq;
    driver.liberarBiblioteca();
    TConexaoBanco conexao(driver, std::move(parametros));
    try {
        conexao.abrir();
    } catch (const ErroBanco& erro) {
        return erro.what();
    }
    return "";
}

// The first bytes of an ELF shared object for another processor, enough for the loader to
// look at it and refuse it.
void escreverElf(const fs::path& caminho, unsigned char classe, unsigned short maquina) {
    std::vector<char> bytes(4096, 0);
    const char inicio[] = {0x7f, 'E', 'L', 'F', static_cast<char>(classe), 1, 1};
    std::copy(std::begin(inicio), std::end(inicio), bytes.begin());
    bytes[16] = 3; // shared object
    bytes[18] = static_cast<char>(maquina & 0xff);
    bytes[19] = static_cast<char>(maquina >> 8);
    bytes[20] = 1;
    std::ofstream(caminho, std::ios::binary).write(bytes.data(), std::ssize(bytes));
}

// A socket bound at `caminho`; the file stays after the socket is closed.
void criarSocket(const fs::path& caminho) {
    const int descritor = socket(AF_UNIX, SOCK_STREAM, 0);
    ASSERT_GE(descritor, 0);
    sockaddr_un endereco{};
    endereco.sun_family = AF_UNIX;
    ASSERT_LT(caminho.string().size(), sizeof endereco.sun_path);
    std::strcpy(endereco.sun_path, caminho.c_str());
    EXPECT_EQ(bind(descritor, reinterpret_cast<sockaddr*>(&endereco), sizeof endereco), 0);
    close(descritor);
}

const std::string dica = "Hint: check it is in the PATH or application EXE directories, and has " +
                         plataforma::arquiteturaDoPrograma() + " bitness.";

std::string erroDeCarga(const std::string& caminho, const std::string& detalhes) {
    return "[Conexao][Phys][PG]-314. Cannot load vendor library [" + caminho + "]. " + detalhes +
           dica;
}

std::string linhaDeArquitetura(const std::string& caminho, const std::string& arquitetura) {
    return caminho + " has unsupported architecture [" + arquitetura + "]. Required [" +
           plataforma::arquiteturaDoPrograma() + "].\n";
}

} // namespace

TEST(CargaLibpq, CaminhoDaBiblioteca) {
    struct Caso {
        std::string home, lib, caminho;
    } casos[] = {
        {"/apps/rel/DLL", "libpq.so.5", "/apps/rel/DLL/lib/libpq.so.5"},
        {"/apps/rel/DLL/", "outra.so", "/apps/rel/DLL/lib/outra.so"},
        {"/DLL", "", std::string("/DLL/lib/") + nomeArquivoLibpq},
        {"", "outra.so", "outra.so"},
        {"", "", nomeArquivoLibpq},
    };
    for (const Caso& caso : casos) {
        TLigacaoDriverPg driver;
        driver.VendorHome = caso.home;
        driver.VendorLib = caso.lib;
        EXPECT_EQ(driver.caminhoBiblioteca(), caso.caminho) << caso.home << " + " << caso.lib;
    }
}

TEST(CargaLibpq, ArquivoQueNaoCarregaNomeiaOCaminhoEOMotivo) {
    const unsigned short outraMaquina =
        plataforma::arquiteturaDoPrograma() == "x86_64" ? 183 /* aarch64 */ : 62 /* x86_64 */;
    const std::string nomeOutraMaquina = outraMaquina == 183 ? "aarch64" : "x86_64";
    struct Caso {
        const char* nome;
        std::function<void(const fs::path&)> preparar;
        std::function<std::string(const std::string&)> detalhes;
    } casos[] = {
        {"nenhum arquivo", [](const fs::path&) {},
         [](const std::string& p) {
             return p + ": cannot open shared object file: No such file "
                        "or directory\n";
         }},
        {"arquivo que nao e biblioteca",
         [](const fs::path& p) {
             std::ofstream(p) << std::string(200, 'x') << "\nisto nao e uma biblioteca\n";
         },
         [](const std::string& p) { return p + ": invalid ELF header\n"; }},
        {"biblioteca de 32 bits", [](const fs::path& p) { escreverElf(p, 1, 3); },
         [](const std::string& p) {
             return linhaDeArquitetura(p, "i386") + p + ": wrong ELF class: ELFCLASS32\n";
         }},
        {"biblioteca de outro processador",
         [&](const fs::path& p) { escreverElf(p, 2, outraMaquina); },
         [&](const std::string& p) {
             return linhaDeArquitetura(p, nomeOutraMaquina) + p +
                    ": cannot open shared object file: No such file or directory\n";
         }},
        // Files that are not regular are refused unread: opening a FIFO for reading, as the
        // loader does, would wait for a writer for good.
        {"uma pasta", [](const fs::path& p) { fs::create_directory(p); },
         [](const std::string& p) { return p + ": not a regular file, but a directory\n"; }},
        {"um FIFO", [](const fs::path& p) { ASSERT_EQ(mkfifo(p.c_str(), 0600), 0); },
         [](const std::string& p) { return p + ": not a regular file, but a FIFO\n"; }},
        {"um socket", criarSocket,
         [](const std::string& p) { return p + ": not a regular file, but a socket\n"; }},
        {"um dispositivo", [](const fs::path& p) { fs::create_symlink("/dev/zero", p); },
         [](const std::string& p) { return p + ": not a regular file, but a character device\n"; }},
    };
    for (const Caso& caso : casos) {
        SCOPED_TRACE(caso.nome);
        const PastaTemporaria pasta;
        fs::create_directories(pasta.caminho() / "DLL" / "lib");
        const fs::path biblioteca = pasta.caminho() / "DLL" / "lib" / nomeArquivoLibpq;
        caso.preparar(biblioteca);
        EXPECT_EQ(mensagemAoAbrir(pasta.caminho() / "DLL"),
                  erroDeCarga(biblioteca, caso.detalhes(biblioteca)));
    }
}

// A copy of the real library cut short, as an interrupted update or a full disk leaves it: the
// loader must never see it (it would map pages past the end of the file and the process would die
// of a bus error); the load error says the file is too short.
TEST(CargaLibpq, BibliotecaTruncadaNaoDerrubaOPrograma) {
    std::ifstream original(LIBPQ_DO_SISTEMA, std::ios::binary);
    const std::string inteira{std::istreambuf_iterator<char>(original),
                              std::istreambuf_iterator<char>()};
    ASSERT_GT(inteira.size(), 300000u);
    for (const std::size_t tamanho :
         {std::size_t{10}, std::size_t{100}, std::size_t{1000}, std::size_t{4096},
          std::size_t{30000}, std::size_t{100000}, std::size_t{300000}, inteira.size() * 9 / 10}) {
        SCOPED_TRACE(tamanho);
        const PastaTemporaria pasta;
        fs::create_directories(pasta.caminho() / "DLL" / "lib");
        const fs::path biblioteca = pasta.caminho() / "DLL" / "lib" / nomeArquivoLibpq;
        std::ofstream(biblioteca, std::ios::binary)
            .write(inteira.data(), static_cast<std::streamsize>(tamanho));
        EXPECT_EQ(mensagemAoAbrir(pasta.caminho() / "DLL"),
                  erroDeCarga(biblioteca, biblioteca.string() + ": file too short\n"));
    }
}

TEST(CargaLibpq, BibliotecaSemPontosDeEntradaNaoFicaCarregada) {
    const PastaTemporaria pasta;
    const fs::path incompleta = pasta.caminho() / "incompleta" / "lib";
    const fs::path certa = pasta.caminho() / "certa" / "lib";
    fs::create_directories(incompleta);
    fs::create_directories(certa);
    fs::create_symlink(PQ_INCOMPLETA, incompleta / nomeArquivoLibpq);
    fs::create_symlink(LIBPQ_DO_SISTEMA, certa / nomeArquivoLibpq);

    EXPECT_EQ(mensagemAoAbrir(incompleta.parent_path()),
              "[Conexao][Phys][PG]-315. Cannot get vendor library entry point[s]. "
              "[PQstatus\nPQfinish]");
    EXPECT_FALSE(bibliotecaPg().carregada());

    // The next open loads the library it is pointed at and reaches the server (none on port 1).
    const std::string mensagem =
        mensagemAoAbrir(certa.parent_path(), TParametrosConexao({"Server=127.0.0.1", "Port=1"}));
    EXPECT_EQ(mensagem.rfind("[Conexao][Phys][PG][libpq] connection to server at \"127.0.0.1\", "
                             "port 1 failed: Connection refused",
                             0),
              0u)
        << mensagem;
    EXPECT_TRUE(bibliotecaPg().carregada());
}

// Two libraries loaded one after the other, the first still loaded: each handle is its own file,
// although the second file is opened when the first one's load is over.
TEST(CargaLibpq, DuasBibliotecasCarregadasJuntasSaoCadaUmaASua) {
    plataforma::FalhaDeCarga falha;
    const plataforma::AlcaBiblioteca incompleta =
        plataforma::carregarBiblioteca(PQ_INCOMPLETA, falha);
    ASSERT_NE(incompleta, nullptr) << falha.texto;
    const plataforma::AlcaBiblioteca libpq =
        plataforma::carregarBiblioteca(LIBPQ_DO_SISTEMA, falha);
    ASSERT_NE(libpq, nullptr) << falha.texto;
    EXPECT_EQ(plataforma::funcaoDaBiblioteca(incompleta, "PQstatus"), nullptr);
    EXPECT_NE(plataforma::funcaoDaBiblioteca(libpq, "PQstatus"), nullptr);
    plataforma::liberarBiblioteca(libpq);
    plataforma::liberarBiblioteca(incompleta);
}

TEST(CargaLibpq, SoDLLLibAoLadoDoProgramaServe) {
    const PastaTemporaria pasta;
    const fs::path programa = pasta.caminho() / "Rel" / "sonda";
    fs::create_directories(programa.parent_path() / "DLL");
    fs::copy_file(SONDA_CONEXAO, programa);
    fs::create_symlink(LIBPQ_DO_SISTEMA, programa.parent_path() / nomeArquivoLibpq);
    fs::create_symlink(LIBPQ_DO_SISTEMA, programa.parent_path() / "DLL" / nomeArquivoLibpq);

    const std::string esperado = (programa.parent_path() / "DLL" / "lib" / nomeArquivoLibpq);
    const SaidaDePrograma semLib = executarPrograma({programa, "127.0.0.1", "1", "", "", ""});
    EXPECT_EQ(semLib.status, 0);
    EXPECT_EQ(semLib.saida,
              erroDeCarga(esperado, esperado + ": cannot open shared object file: No such file "
                                               "or directory\n"));

    fs::create_directory(programa.parent_path() / "DLL" / "lib");
    fs::create_symlink(LIBPQ_DO_SISTEMA, esperado);
    const SaidaDePrograma comLib = executarPrograma({programa, "127.0.0.1", "1", "", "", ""});
    EXPECT_EQ(comLib.status, 0);
    EXPECT_EQ(comLib.saida.rfind("[Conexao][Phys][PG][libpq] connection to server at "
                                 "\"127.0.0.1\", port 1 failed: Connection refused",
                                 0),
              0u)
        << comLib.saida;
}
