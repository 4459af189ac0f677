#include "data/ErroBanco.h"
#include "platform/arquitetura.h"
#include "platform/codificacao.h"

#include <gtest/gtest.h>

namespace {

const std::string dica = "Hint: check it is in the PATH or application EXE directories, and has " +
                         plataforma::arquiteturaDoPrograma() + " bitness.";

} // namespace

TEST(MensagensBanco, ArquiteturaDoProgramaComOsNomesDoSistema) {
#if defined(_WIN32) && defined(__x86_64__)
    EXPECT_EQ(plataforma::arquiteturaDoPrograma(), "x64");
#elif defined(__x86_64__)
    EXPECT_EQ(plataforma::arquiteturaDoPrograma(), "x86_64");
#elif defined(__aarch64__)
    EXPECT_EQ(plataforma::arquiteturaDoPrograma(), "aarch64");
#else
    GTEST_SKIP() << "no expected name for this processor";
#endif
}

TEST(MensagensBanco, CargaDaBiblioteca) {
    // Lines end as the system's texts do: CR LF on Windows.
    const std::string fim = plataforma::quebraDeLinha;
    const std::string inicio =
        "[Conexao][Phys][PG]-314. Cannot load vendor library [/p/libpq.so.5]. ";
    const std::string linhaArquitetura = "/p/libpq.so.5 has unsupported architecture [aarch64]. "
                                         "Required [" +
                                         plataforma::arquiteturaDoPrograma() + "]." + fim;
    struct Caso {
        const char* nome;
        std::optional<std::string> outra;
        std::string textoDoSistema, detalhes;
    } casos[] = {
        {"texto simples", std::nullopt, "/p/libpq.so.5: file too short",
         "/p/libpq.so.5: file too short" + fim},
        {"final de brancos, controles e pontos removido", std::nullopt,
         "The specified module could not be found. \r\n.\t ",
         "The specified module could not be found" + fim},
        {"sem texto do sistema", std::nullopt, "", ""},
        {"so pontos e brancos", std::nullopt, " . . \r\n", ""},
        {"outra arquitetura", std::string("aarch64"), "x: No such file or directory.\n",
         linhaArquitetura + "x: No such file or directory" + fim},
        {"outra arquitetura sem texto", std::string("aarch64"), "", linhaArquitetura},
    };
    for (const Caso& caso : casos) {
        SCOPED_TRACE(caso.nome);
        EXPECT_EQ(erroCargaBiblioteca("/p/libpq.so.5", caso.outra, caso.textoDoSistema).what(),
                  inicio + caso.detalhes + dica);
    }
}

TEST(MensagensBanco, PontosDeEntradaUmPorLinha) {
    EXPECT_STREQ(erroPontosDeEntrada({"PQfinish"}).what(),
                 "[Conexao][Phys][PG]-315. Cannot get vendor library entry point[s]. [PQfinish]");
    EXPECT_EQ(erroPontosDeEntrada({"PQstatus", "PQfinish"}).what(),
              "[Conexao][Phys][PG]-315. Cannot get vendor library entry point[s]. "
              "[PQstatus" +
                  std::string(plataforma::quebraDeLinha) + "PQfinish]");
}

TEST(MensagensBanco, TentativaSemSeveridadeOuComOTextoInteiro) {
    const std::pair<std::string, std::string> casos[] = {
        {"FATAL:  password authentication failed for user \"rel\"\n",
         "password authentication failed for user \"rel\""},
        {"ERROR: \r\n boom: detalhe \n\n", "boom: detalhe"},
        {"FATAL:", ""},
        {"connection to server at \"127.0.0.1\", port 5432 failed: FATAL:  database \"x\" does "
         "not exist\n",
         "connection to server at \"127.0.0.1\", port 5432 failed: FATAL:  database \"x\" does "
         "not exist\n"},
        {" FATAL: com branco antes\n", " FATAL: com branco antes\n"},
        {"fatal: em minusculas\n", "fatal: em minusculas\n"},
        {"FATALX: outra palavra\n", "FATALX: outra palavra\n"},
        {"sem dois pontos\n", "sem dois pontos\n"},
        {"", ""},
    };
    for (const auto& [libpq, texto] : casos) {
        SCOPED_TRACE(libpq);
        EXPECT_EQ(erroTentativa(libpq).what(), "[Conexao][Phys][PG][libpq] " + texto);
    }
}
