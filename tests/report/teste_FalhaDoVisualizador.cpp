// The warning for a viewer that did not open: which end of its error output is kept, how its
// bytes become text, and the words around them.

#include "platform/codificacao.h"
#include "report/FalhaDoVisualizador.h"

#include <gtest/gtest.h>

#ifdef _WIN32
#include <windows.h>
#endif

#include <string>

namespace {

const std::string q = plataforma::quebraDeLinha;

// The lines joined as the warning joins them.
std::string linhas(std::initializer_list<std::string> partes) {
    std::string texto;
    for (const std::string& parte : partes)
        texto += (texto.empty() ? "" : q) + parte;
    return texto;
}

TEST(FalhaDoVisualizador, AvisoComOCodigoEAsPalavrasDoVisualizador) {
    const std::string erros =
        "Error: LinkageError occurred while loading main class VisorRelatorio\n"
        "\tjava.lang.UnsupportedClassVersionError: VisorRelatorio has been compiled by a more "
        "recent version of the Java Runtime (class file version 61.0), this version of the Java "
        "Runtime only recognizes class file versions up to 52.0\n";
    EXPECT_EQ(avisoDeFalhaDoVisualizador(1, erros, false),
              "O relatório não pôde ser aberto: o visualizador de relatórios terminou com o "
              "código de saída 1. O que ele informou por último:" +
                  q + q +
                  linhas({"Error: LinkageError occurred while loading main class VisorRelatorio",
                          "    java.lang.UnsupportedClassVersionError: VisorRelatorio has been "
                          "compiled by a more recent version of the Java Runtime (class file "
                          "version 61.0), this version of the Java Runtime only recognizes class "
                          "file versions up to 52.0"}));
}

TEST(FalhaDoVisualizador, CodigosDeSaida) {
    struct Caso {
        int codigo;
        std::string erros;
        std::string aviso;
    };
    const std::string inicio = "O relatório não pôde ser aberto: o visualizador de relatórios "
                               "terminou com o código de saída ";
    const Caso casos[] = {
        // Success says nothing, whatever was written.
        {0, "Picked up JAVA_TOOL_OPTIONS: -Dx=y\n", ""},
        {0, "", ""},
        {1, "", inicio + "1 e não informou o motivo."},
        {1, " \n\t\n", inicio + "1 e não informou o motivo."},
        // A signal, as the POSIX shell reports it.
        {134, "Aborted\n", inicio + "134. O que ele informou por último:" + q + q + "Aborted"},
        // Windows' crash codes in hexadecimal too.
        {static_cast<int>(0xC0000005u), "",
         inicio + "3221225477 (0xC0000005) e não informou o motivo."},
        {-1, "", inicio + "4294967295 (0xFFFFFFFF) e não informou o motivo."},
    };
    for (const Caso& caso : casos) {
        SCOPED_TRACE(caso.codigo);
        EXPECT_EQ(avisoDeFalhaDoVisualizador(caso.codigo, caso.erros, false), caso.aviso);
    }
}

TEST(FalhaDoVisualizador, OFinalDaSaidaEQueFica) {
    std::string trintaLinhas;
    for (int i = 1; i <= 30; ++i)
        trintaLinhas += "linha " + std::to_string(i) + "\r\n";
    std::string ultimas = "[…]";
    for (int i = 11; i <= 30; ++i)
        ultimas += q + "linha " + std::to_string(i);
    EXPECT_EQ(ultimasLinhasDosErros(trintaLinhas, false), ultimas);

    // Bytes that begin mid-output: the partial first line goes, the mark says so.
    EXPECT_EQ(ultimasLinhasDosErros("nha cortada\nsegunda\nterceira\n\n\n", true),
              linhas({"[…]", "segunda", "terceira"}));
    // One long line, cut inside a character: it begins at the next whole one.
    EXPECT_EQ(ultimasLinhasDosErros("\xA7\xC3\xA3o sem fim", true), linhas({"[…]", "ão sem fim"}));
    EXPECT_EQ(ultimasLinhasDosErros("", false), "");
}

TEST(FalhaDoVisualizador, BytesQueNaoFormamTextoNaoQuebramOAviso) {
    const std::string fffd = "\xEF\xBF\xBD";
    struct Caso {
        std::string bytes;
        std::string linhas;
    };
    const Caso casos[] = {
        {"não\n", "não"},
        // Control characters are shown as such, the tab as four blanks; a carriage return inside
        // a line (a progress indicator's) too.
        {std::string("a\0b\x1B[31mc\x7F\td", 12),
         "a" + fffd + "b" + fffd + "[31mc" + fffd + "    d"},
        {"10%\r20%\n", "10%" + fffd + "20%"},
#ifndef _WIN32
        // Not UTF-8 (on Windows these would be read in the system's code page): a surrogate, an
        // overlong form and a sequence cut short make no character.
        {"\xED\xA0\x80|\xC0\xAF|\xE2\x82",
         fffd + fffd + fffd + "|" + fffd + fffd + "|" + fffd + fffd},
#endif
    };
    for (const Caso& caso : casos) {
        SCOPED_TRACE(caso.bytes);
        EXPECT_EQ(ultimasLinhasDosErros(caso.bytes, false), caso.linhas);
    }
#ifdef _WIN32
    if (GetACP() == 1252) {
        EXPECT_EQ(ultimasLinhasDosErros("n\xE3o encontrado\n", false), "não encontrado");
    }
#else
    EXPECT_EQ(ultimasLinhasDosErros("n\xE3o encontrado\n", false), "n" + fffd + "o encontrado");
#endif
}

} // namespace
