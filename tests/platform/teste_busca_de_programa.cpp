#include "platform/busca_de_programa.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

#ifdef _WIN32
constexpr char separadorDoPath = ';';
void definirVariavel(const char* nome, const std::string& valor) {
    _putenv_s(nome, valor.c_str());
}
#else
constexpr char separadorDoPath = ':';
void definirVariavel(const char* nome, const std::string& valor) {
    setenv(nome, valor.c_str(), 1);
}
#endif

// A folder of its own, the search path and the current folder of one case, all put back after.
class CenarioDeBusca {
public:
    CenarioDeBusca()
        : fRaiz(fs::temp_directory_path() /
                ("busca-" +
                 std::to_string(std::chrono::steady_clock::now().time_since_epoch().count()))),
          fPathAnterior(std::getenv("PATH") ? std::getenv("PATH") : ""),
          fPastaAnterior(fs::current_path()) {
        fs::create_directories(fRaiz);
    }
    ~CenarioDeBusca() {
        fs::current_path(fPastaAnterior);
        definirVariavel("PATH", fPathAnterior);
        fs::remove_all(fRaiz);
    }

    void arquivo(const std::string& caminho, bool executavel) {
        fs::create_directories((fRaiz / caminho).parent_path());
        std::ofstream(fRaiz / caminho) << "#!/bin/sh\n";
        if (executavel)
            fs::permissions(fRaiz / caminho, fs::perms::owner_exec, fs::perm_options::add);
    }
    void pasta(const std::string& caminho) { fs::create_directories(fRaiz / caminho); }
    // Each entry is a folder below the case's own; "" stands for an empty entry.
    void path(const std::vector<std::string>& entradas) {
        std::string valor;
        for (const std::string& entrada : entradas) {
            if (!valor.empty() || &entrada != &entradas.front())
                valor += separadorDoPath;
            if (!entrada.empty())
                valor += (fRaiz / entrada).string();
        }
        definirVariavel("PATH", valor);
    }
    void pastaAtual(const std::string& caminho) {
        fs::create_directories(fRaiz / caminho);
        fs::current_path(fRaiz / caminho);
    }

private:
    fs::path fRaiz;
    std::string fPathAnterior;
    fs::path fPastaAnterior;
};

struct Arquivo {
    const char* caminho;
    bool executavel;
};

struct CasoDeBusca {
    const char* nome;
    std::vector<Arquivo> arquivos;
    std::vector<std::string> pastas;
    std::vector<std::string> path;
    const char* pastaAtual; // "" for a folder outside the case
    bool achaNoPosix;
    bool achaNoWindows;
};

} // namespace

// Where the two interpreters differ, each row says what each one finds.
TEST(ProgramaEncontravel, ProcuraComoOInterpretadorProcura) {
    const std::vector<CasoDeBusca> casos{
        {"nada em lugar nenhum", {}, {}, {"a"}, "", false, false},
        {"sem extensao, executavel", {{"a/java", true}}, {}, {"a"}, "", true, false},
        {"sem permissao de execucao", {{"a/java", false}}, {}, {"a"}, "", false, false},
        {"java.exe", {{"a/java.exe", true}}, {}, {"a"}, "", false, true},
        {"java.cmd, pela PATHEXT", {{"a/java.cmd", false}}, {}, {"a"}, "", false, true},
        {"java.txt nao e programa", {{"a/java.txt", true}}, {}, {"a"}, "", false, false},
        {"pastas com o nome", {}, {"a/java", "a/java.exe"}, {"a"}, "", false, false},
        {"segunda pasta do caminho",
         {{"b/java", true}, {"b/java.exe", true}},
         {},
         {"a", "b"},
         "",
         true,
         true},
        {"so na pasta atual",
         {{"c/java", true}, {"c/java.exe", true}},
         {},
         {"a"},
         "c",
         false,
         true},
        {"entrada vazia e a pasta atual", {{"c/java", true}}, {}, {"a", ""}, "c", true, false},
    };
    for (const CasoDeBusca& caso : casos) {
        SCOPED_TRACE(caso.nome);
        CenarioDeBusca cenario;
        for (const Arquivo& arquivo : caso.arquivos)
            cenario.arquivo(arquivo.caminho, arquivo.executavel);
        for (const std::string& pasta : caso.pastas)
            cenario.pasta(pasta);
        cenario.path(caso.path);
        cenario.pastaAtual(*caso.pastaAtual ? caso.pastaAtual : "fora");
#ifdef _WIN32
        EXPECT_EQ(plataforma::programaEncontravel("java"), caso.achaNoWindows);
#else
        EXPECT_EQ(plataforma::programaEncontravel("java"), caso.achaNoPosix);
#endif
    }
}

#ifndef _WIN32
// Without PATH the look-up searches where the interpreter then searches, with its own default
// path: a program found only in a system folder outside /bin:/usr/bin (ldconfig) as well.
TEST(ProgramaEncontravel, SemPathBuscaOndeOInterpretadorBusca) {
    const char* anterior = std::getenv("PATH");
    const std::optional<std::string> path =
        anterior != nullptr ? std::optional<std::string>(anterior) : std::nullopt;
    unsetenv("PATH");
    for (const std::string nome : {"sh", "ldconfig", "nao-existe-em-lugar-algum"}) {
        SCOPED_TRACE(nome);
        const bool interpretadorAcha =
            std::system(("command -v " + nome + " >/dev/null 2>&1").c_str()) == 0;
        EXPECT_EQ(plataforma::programaEncontravel(nome), interpretadorAcha);
    }
    if (path)
        setenv("PATH", path->c_str(), 1);
}
#endif
