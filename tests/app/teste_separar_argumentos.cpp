#include "app/LinhaDeComando.h"

#include <gtest/gtest.h>

namespace {

struct CasoDeSeparacao {
    const char* nome;
    std::string linha;
    std::vector<std::string> esperados; // arguments 1, 2, ...; the rest must be empty
};

ArgumentosDaLinhaDeComando completar(const std::vector<std::string>& esperados) {
    ArgumentosDaLinhaDeComando argumentos;
    std::copy(esperados.begin(), esperados.end(), argumentos.begin());
    return argumentos;
}

const std::string tab = "\t";

} // namespace

const std::vector<CasoDeSeparacao>& casosDeSeparacao() {
    static const std::vector<CasoDeSeparacao> casos{
        {"linha vazia", "", {}},
        {"so o programa", "C:\\App\\app.exe", {}},
        {"programa entre aspas com blanks",
         "\"C:\\Program Files\\app.exe\" srv 5432",
         {"srv", "5432"}},
        {"oito argumentos", "p a b c d e 1 2 login", {"a", "b", "c", "d", "e", "1", "2", "login"}},
        {"alem do oitavo e ignorado",
         "p 1 2 3 4 5 6 7 8 9 10",
         {"1", "2", "3", "4", "5", "6", "7", "8"}},
        {"caracteres de controle separam e se juntam",
         "p\ta\r\nb \x01\x1f c" + tab + tab + "d",
         {"a", "b", "c", "d"}},
        {"aspas vazias deslocam os seguintes",
         "\"p\" \"srv\" \"5432\" \"u\" \"\" \"db\" \"7\" \"9\" \"login\"",
         {"srv", "5432", "u", "db", "7", "9", "login"}},
        {"varios pares vazios seguidos", "p \"\"\"\" \"\"  a", {"a"}},
        {"par vazio antes do programa", "\"\" p a", {"a"}},
        {"valor entre aspas guarda os blanks",
         "p \"uma senha  com blanks \" b",
         {"uma senha  com blanks ", "b"}},
        {"aspas guardam tab e quebra", "p \"a\tb\nc\" d", {"a\tb\nc", "d"}},
        {"trechos com e sem aspas se juntam", "p ab\"c d\"ef\"\"g \"x\"y", {"abc defg", "xy"}},
        {"aspas vazias dentro do argumento", "p a\"\"b", {"ab"}},
        {"aspas sem fim vao ate o fim da linha", "p a \"b c", {"a", "b c"}},
        {"aspas sem fim logo apos abrir", "p a \"", {"a"}},
        {"um blank entre aspas e um valor", "p \" \" b", {" ", "b"}},
        {"texto em UTF-8", "p Relação \"São Paulo\"", {"Relação", "São Paulo"}},
        {"bytes que nao sao UTF-8 ficam como vieram",
         "p \xff\xfe \"\xc3(\" \x80\x80",
         {"\xff\xfe", "\xc3(", "\x80\x80"}},
        {"brancos no fim", "p a   ", {"a"}},
    };
    return casos;
}

TEST(SepararArgumentos, SegueAsRegrasDaLinhaDeComando) {
    for (const CasoDeSeparacao& caso : casosDeSeparacao())
        EXPECT_EQ(separarArgumentos(caso.linha), completar(caso.esperados)) << caso.nome;
}

// What the password's masking relies on: each argument's stretch, its characters other than
// quotes overwritten with '*', leaves a line that splits into the same arguments, that one made
// of as many '*' as it had bytes.
TEST(SepararArgumentos, CadaArgumentoMascaradoEmSeuTrechoSoMudaEle) {
    for (const CasoDeSeparacao& caso : casosDeSeparacao()) {
        const TrechosDosArgumentos trechos = trechosDosArgumentos(caso.linha);
        for (std::size_t i = 0; i < trechos.size(); ++i) {
            std::string mascarada = caso.linha;
            for (std::size_t j = trechos[i].inicio; j < trechos[i].fim; ++j)
                if (mascarada[j] != '"')
                    mascarada[j] = '*';
            ArgumentosDaLinhaDeComando esperados = completar(caso.esperados);
            esperados[i] = std::string(esperados[i].size(), '*');
            EXPECT_EQ(separarArgumentos(mascarada), esperados) << caso.nome << ", argumento " << i;
        }
    }
}

// The parent writes the line; a line of about a megabyte, of any shape, is split whole.
TEST(SepararArgumentos, LinhaDeUmMegabyte) {
    const std::size_t grande = 128 * 1024;
    const std::string valor(grande, 'v');
    const std::string comBrancos =
        std::string(grande / 2, 'x') + " \t " + std::string(grande / 2, 'y');
    std::string oitoEntreAspas = "p";
    for (int i = 0; i < 8; ++i)
        oitoEntreAspas += " \"" + comBrancos + "\"";
    std::string itensCurtos = "p";
    while (itensCurtos.size() < 8 * grande)
        itensCurtos += " a";
    std::string controles;
    for (std::size_t i = 0; i < 8 * grande; ++i)
        controles += static_cast<char>(1 + i % 32);

    const std::vector<CasoDeSeparacao> casos{
        {"oito valores de 128 KiB com brancos", oitoEntreAspas,
         std::vector<std::string>(8, comBrancos)},
        {"um megabyte de controles antes dos valores", "p" + controles + "a b", {"a", "b"}},
        {"um megabyte de aspas vazias", "p " + std::string(8 * grande, '"') + " a b", {"a", "b"}},
        {"aspas sem fim de um megabyte", "p \"" + controles, {controles}},
        {"valores alem do oitavo", itensCurtos, std::vector<std::string>(8, "a")},
        {"valor de um megabyte sem aspas",
         "p " + valor + valor + valor + valor + valor + valor + valor + valor + " b",
         {valor + valor + valor + valor + valor + valor + valor + valor, "b"}},
    };
    for (const CasoDeSeparacao& caso : casos)
        EXPECT_EQ(separarArgumentos(caso.linha), completar(caso.esperados)) << caso.nome;
}

TEST(SepararArgumentos, UmNulNoMeioSeparaComoOsOutrosControles) {
    EXPECT_EQ(separarArgumentos(std::string("p a\0b", 5)), completar({"a", "b"}));
}

// Where the system hands over an argument vector, its items are the arguments exactly: an empty
// one keeps its place, quotes are part of the value, and the program's name plays no part.
TEST(ArgumentosDoVetor, CadaItemEOArgumentoComoVeio) {
    struct Caso {
        const char* nome;
        std::vector<std::string> vetor;
        std::vector<std::string> esperados;
    };
    const std::vector<Caso> casos{
        {"senha vazia",
         {"/opt/app/RelLicensaCliente", "srv", "5432", "u", "", "db", "1", "2", "login"},
         {"srv", "5432", "u", "", "db", "1", "2", "login"}},
        {"senha com aspas",
         {"/opt/app/RelLicensaCliente", "srv", "5432", "u", "de\"mo", "db", "1", "2", "login"},
         {"srv", "5432", "u", "de\"mo", "db", "1", "2", "login"}},
        {"aspas na pasta e na senha",
         {"/opt/a\"pp/RelLicensaCliente", "srv", "5432", "u", "a\"b\"c", "db", "1", "2", "x"},
         {"srv", "5432", "u", "a\"b\"c", "db", "1", "2", "x"}},
        {"nome do programa vazio",
         {"", "srv", "5432", "u", "s", "db", "1", "2", "login"},
         {"srv", "5432", "u", "s", "db", "1", "2", "login"}},
        {"so o programa", {"/opt/app/RelLicensaCliente"}, {}},
        {"nenhum item", {}, {}},
        {"alem do oitavo",
         {"p", "1", "2", "3", "4", "5", "6", "7", "8", "9", "10"},
         {"1", "2", "3", "4", "5", "6", "7", "8"}},
    };
    for (const Caso& caso : casos) {
        SCOPED_TRACE(caso.nome);
        EXPECT_EQ(argumentosDoVetor(caso.vetor), completar(caso.esperados));
    }
}
