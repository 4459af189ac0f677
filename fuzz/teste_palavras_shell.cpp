// The shell model of the fuzz targets against the real /bin/sh: for every command the model
// accepts, the shell must run the same words.

#include "fuzz/palavras_shell.h"

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <random>
#include <string>
#include <vector>

namespace {

// Runs `sh -c "printf '%s\0' <argumentos>"` and returns the words printf received.
std::vector<std::string> palavrasDoShellReal(const std::string& argumentos) {
    const std::string comando = "printf '%s\\0' " + argumentos;
    int canal[2];
    if (pipe(canal) != 0)
        ADD_FAILURE() << "pipe";
    const pid_t filho = fork();
    if (filho == 0) {
        dup2(canal[1], STDOUT_FILENO);
        close(canal[0]);
        close(canal[1]);
        execl("/bin/sh", "sh", "-c", comando.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    close(canal[1]);
    std::string saida;
    char bloco[4096];
    for (ssize_t lidos; (lidos = read(canal[0], bloco, sizeof bloco)) > 0;)
        saida.append(bloco, static_cast<std::size_t>(lidos));
    close(canal[0]);
    int estado = 0;
    waitpid(filho, &estado, 0);
    EXPECT_TRUE(WIFEXITED(estado) && WEXITSTATUS(estado) == 0) << comando;

    std::vector<std::string> palavras;
    for (std::size_t inicio = 0; inicio < saida.size();) {
        const std::size_t fim = saida.find('\0', inicio);
        palavras.push_back(saida.substr(inicio, fim - inicio));
        inicio = fim + 1;
    }
    return palavras;
}

void compararComOShell(const std::string& argumentos) {
    const auto modelo = palavrasDoShell("printf '%s\\0' " + argumentos);
    ASSERT_TRUE(modelo.has_value()) << argumentos;
    const std::vector<std::string> esperadas(modelo->begin() + 2, modelo->end());
    EXPECT_EQ(palavrasDoShellReal(argumentos), esperadas) << argumentos;
}

TEST(PalavrasDoShell, ConcordaComOShellNosCasosEscritosAMao) {
    for (const std::string argumentos :
         {"a b", "  a\t\tb  ", "''", "'' ''", "'a b'c", "a\\ b", "'it'\\''s'", "a\\\\",
          "'$HOME' '*' '?' '[a]' '~' '#x' '`ls`' '\"' ';' '&' '|'", "\\$HOME \\* \\~ \\# \\\"",
          "a\\\nb", "'linha\nquebrada'", "x=1 -n -- %s:@+,.",
          "\xc3\xa7\xc3\xa3o '\xc3\xa9 \xc3\xa0'",
          "\x81\x82\x83\x84\x85\x86\x87\x88 '\x81\x82\x83\x84\x85\x86\x87\x88'", "\\\x81 \\\x88"}) {
        compararComOShell(argumentos);
    }
}

// Random commands built from the pieces the model accepts, bytes of every value included.
TEST(PalavrasDoShell, ConcordaComOShellEmComandosAleatorios) {
    std::mt19937 gerador(20240301);
    const auto sortear = [&](int de, int ate) {
        return std::uniform_int_distribution<int>(de, ate)(gerador);
    };
    const std::string ordinarios = "abcXYZ019_-.:/+@,=%\x80\x81\x82\x83\x85\x88\xc3\xa7\xff";
    const auto byteQualquer = [&](char excluido) {
        char c;
        do
            c = static_cast<char>(sortear(1, 255));
        while (c == excluido);
        return c;
    };

    for (int amostra = 0; amostra < 300; ++amostra) {
        std::string argumentos;
        for (int palavra = sortear(1, 4); palavra > 0; --palavra) {
            argumentos +=
                std::string(static_cast<std::size_t>(sortear(1, 2)), " \t"[sortear(0, 1)]);
            for (int pedaco = sortear(1, 4); pedaco > 0; --pedaco) {
                switch (sortear(0, 2)) {
                case 0:
                    for (int n = sortear(1, 5); n > 0; --n)
                        argumentos += ordinarios[static_cast<std::size_t>(
                            sortear(0, static_cast<int>(ordinarios.size()) - 1))];
                    break;
                case 1:
                    argumentos += '\'';
                    for (int n = sortear(0, 6); n > 0; --n)
                        argumentos += byteQualquer('\'');
                    argumentos += '\'';
                    break;
                default:
                    argumentos += '\\';
                    argumentos += byteQualquer('\0');
                }
            }
        }
        compararComOShell(argumentos);
    }
}

// What the shell would not take word for word: the model must refuse it.
TEST(PalavrasDoShell, RecusaOQueOShellExpandiriaOuInterpretaria) {
    for (const std::string comando :
         {"echo $HOME", "echo `id`",  "echo *",       "echo a?",   "echo [ab]", "echo ~",
          "echo #x",    "echo a;id",  "echo a&",      "echo a|id", "echo a>f",  "echo (a)",
          "echo \"a\"", "echo a\nid", "echo 'aberta", "echo a\\",  "echo !",    "echo {a,b}",
          "A=1 echo",   "if true",    "echo \x01"}) {
        EXPECT_FALSE(palavrasDoShell(comando).has_value()) << comando;
    }
}

} // namespace
